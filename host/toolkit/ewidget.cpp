#include "ewidget.h"

#include <algorithm>
#include <ostream>

#include "calltrace.h"
#include "desktop.h"
#include "ewindow.h"
#include "visibletext.h"

namespace {
int lastWidgetId = 0;
}

eWidget::eWidget(eWidget* parent, int takefocus)
    : parent(parent), takefocus(takefocus), id(++lastWidgetId) {
    if (parent)
        parent->children.push_back(this);
}

eWidget::~eWidget() {
    // Children go first, last created first; each is detached so it does not
    // touch this list while it is being emptied.
    while (!children.empty()) {
        eWidget* child = children.back();
        children.pop_back();
        child->parent = nullptr;
        delete child;
    }
    if (parent) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        if (parent->focus == this)
            parent->focus = nullptr;
    }
    Desktop::instance().remove(*this);
}

void eWidget::move(const ePoint& where) {
    CallTrace::call(this, "move", where);
    // A top-level window is placed by its frame, whose title bar lies above the client area.
    position = parent ? where : ePoint(where.x, where.y + eWindow::titleBarHeight);
}

void eWidget::resize(const eSize& newSize) {
    CallTrace::call(this, "resize", newSize);
    size = parent ? newSize
                  : eSize(newSize.width, std::max(0, newSize.height - eWindow::titleBarHeight));
}

void eWidget::setText(const eString& newText) {
    CallTrace::call(this, "setText", static_cast<const std::string&>(newText));
    text = newText;
}

int eWidget::loadDeco() {
    CallTrace::call(this, "loadDeco");
    decoLoaded = true;
    return 0;
}

void eWidget::show() {
    CallTrace::call(this, "show");
    showWidget();
}

void eWidget::hide() {
    CallTrace::call(this, "hide");
    hideWidget();
}

int eWidget::exec() {
    CallTrace::call(this, "exec");
    return runLoop();
}

void eWidget::close(int code) {
    CallTrace::call(this, "close", code);
    endLoop(code);
}

void eWidget::accept() {
    CallTrace::call(this, "accept");
    endLoop(0);
}

void eWidget::setFocus(eWidget* child) {
    CallTrace::call(this, "setFocus", static_cast<const eWidget*>(child));
    if (child && child->parent == this && child->takesFocus())
        focus = child;
}

void eWidget::showWidget() {
    if (!parent)
        Desktop::instance().raise(*this);
    if (!focus)
        stepFocus(+1);
}

void eWidget::hideWidget() {
    if (!parent)
        Desktop::instance().remove(*this);
}

int eWidget::runLoop() {
    // A window already in its loop cannot run a second one inside it.
    if (inLoop)
        return -1;
    inLoop = true;
    closeRequested = false;
    closeCode = 0;
    while (!closeRequested) {
        const auto key = Desktop::instance().waitForKey(*this);
        if (!key) {
            closeCode = -1;
            break;
        }
        keyDown(*key);
    }
    inLoop = false;
    closeRequested = false;
    return closeCode;
}

void eWidget::endLoop(int code) {
    closeRequested = true;
    closeCode = code;
}

ePoint eWidget::getAbsolutePosition() const {
    if (!parent)
        return position;
    const ePoint origin = parent->getAbsolutePosition();
    return ePoint(origin.x + position.x, origin.y + position.y);
}

void eWidget::stepFocus(int direction) {
    std::vector<eWidget*> focusable;
    std::copy_if(children.begin(), children.end(), std::back_inserter(focusable),
                 [](const eWidget* child) { return child->takesFocus(); });
    if (focusable.empty())
        return;
    const auto found = std::find(focusable.begin(), focusable.end(), focus);
    if (found == focusable.end()) {
        focus = direction > 0 ? focusable.front() : focusable.back();
        return;
    }
    const auto count = static_cast<std::ptrdiff_t>(focusable.size());
    const auto index = (found - focusable.begin() + direction + count) % count;
    focus = focusable[static_cast<std::size_t>(index)];
}

void eWidget::describe(std::ostream& out) const {
    describeAs(out, text);
}

void eWidget::describeAs(std::ostream& out, const std::string& shownText) const {
    out << kind() << ' ' << quoted(shownText) << " at " << position.x << ',' << position.y
        << " size " << size.width << 'x' << size.height;
    if (decoLoaded)
        out << " deco";
}

void eWidget::describeContent(std::ostream&, int) const {}

bool eWidget::keyDown(const eRCKey&) {
    return false;
}

#include "ewindow.h"

#include <ostream>

#include "calltrace.h"
#include "ebutton.h"

eWindow::eWindow(int state) : eWidget(nullptr, 0), traced(true), state(state) {
    CallTrace::call(this, "eWindow", state);
}

eWindow::eWindow(Untraced, int state) : eWidget(nullptr, 0), traced(false), state(state) {}

eWindow::~eWindow() {
    if (traced)
        CallTrace::call(this, "destroy");
}

void eWindow::cmove(const ePoint& clientPosition) {
    CallTrace::call(this, "cmove", clientPosition);
    position = clientPosition;
}

void eWindow::cresize(const eSize& clientSize) {
    CallTrace::call(this, "cresize", clientSize);
    size = clientSize;
}

void eWindow::describe(std::ostream& out) const {
    eWidget::describe(out);
    if (state != 0)
        out << " state " << state;
}

namespace {

eButton* findShortcut(const eWidget& widget, const char* colour) {
    for (eWidget* child : widget.getChildren()) {
        if (auto* button = dynamic_cast<eButton*>(child); button && button->getShortcut() == colour)
            return button;
        if (eButton* nested = findShortcut(*child, colour))
            return nested;
    }
    return nullptr;
}

} // namespace

bool eWindow::keyDown(const eRCKey& key) {
    if (const char* colour = colourName(key.code)) {
        if (eButton* button = findShortcut(*this, colour))
            button->activate();
        return true;
    }
    switch (key.code) {
    case eKeyCode::up:
    case eKeyCode::down:
        if (!(focus && focus->keyDown(key)))
            stepFocus(key.code == eKeyCode::down ? +1 : -1);
        return true;
    case eKeyCode::exit:
        endLoop(-1);
        return true;
    default:
        if (focus)
            focus->keyDown(key);
        return true;
    }
}

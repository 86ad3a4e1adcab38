#include "ebutton.h"

#include <ostream>

#include "calltrace.h"
#include "visibletext.h"

sigc::connection eActivationSignal::connect(const SigC::Slot0<void>& slot) {
    CallTrace::call(&owner, "selected.connect");
    return sigc::signal<void()>::connect(slot);
}

eButton::eButton(eWidget* parent, eLabel* descr, int takefocus, const char* deco)
    : eWidget(parent, takefocus), descr(descr) {
    CallTrace::call(this, "eButton", static_cast<const eWidget*>(parent),
                    static_cast<const eWidget*>(descr), takefocus, deco);
}

void eButton::setShortcut(const eString& key) {
    CallTrace::call(this, "setShortcut", static_cast<const std::string&>(key));
    shortcut = key;
}

void eButton::setShortcutPixmap(const eString& pixmap) {
    CallTrace::call(this, "setShortcutPixmap", static_cast<const std::string&>(pixmap));
    shortcutPixmap = pixmap;
}

void eButton::activate() {
    selected.emit();
}

void eButton::describe(std::ostream& out) const {
    eWidget::describe(out);
    if (!shortcut.empty())
        out << " shortcut " << quoted(shortcut);
    if (!shortcutPixmap.empty())
        out << " pixmap " << quoted(shortcutPixmap);
}

bool eButton::keyDown(const eRCKey& key) {
    if (key.code != eKeyCode::ok)
        return false;
    activate();
    return true;
}

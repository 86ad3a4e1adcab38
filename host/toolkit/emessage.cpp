#include "emessage.h"

#include <algorithm>
#include <ostream>

#include "calltrace.h"
#include "desktop.h"
#include "eskin.h"
#include "visibletext.h"

namespace {

// A rough text width: the skin's font draws about half its size per character.
int textWidth(const eString& text) {
    const int fontSize = eSkin::getActive()->valueOr("fontsize", 20);
    return static_cast<int>(text.size()) * fontSize / 2;
}

} // namespace

eMessageBox::eMessageBox(const eString& message, const eString& caption, int flags,
                         int defaultButton, int timeout)
    : eWindow(Untraced{}, 0), message(message), flags(flags), defaultButton(defaultButton),
      timeout(timeout) {
    traced = true;
    CallTrace::call(this, "eMessageBox", static_cast<const std::string&>(message),
                    static_cast<const std::string&>(caption), flags, defaultButton, timeout);
    text = caption;
    const int width = std::clamp(std::max(textWidth(message), textWidth(caption)) + 60, 240,
                                 Desktop::screenWidth - 40);
    const int height = (flags & btOK) ? 110 : 70;
    size = eSize(width, height);
    position = ePoint((Desktop::screenWidth - width) / 2,
                      (Desktop::screenHeight - height + titleBarHeight) / 2);
}

void eMessageBox::describe(std::ostream& out) const {
    eWidget::describe(out);
    out << " message " << quoted(message) << " (" << flags << ", " << defaultButton << ", "
        << timeout << ')';
}

bool eMessageBox::keyDown(const eRCKey& key) {
    if (key.code == eKeyCode::ok)
        endLoop(0);
    else if (key.code == eKeyCode::exit)
        endLoop(-1);
    return true;
}

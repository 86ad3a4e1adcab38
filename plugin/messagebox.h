#pragma once
// The plug-in's two kinds of message box, each run modally until the user closes it.

#include <emessage.h>

enum class MessageKind { error, info };

// Shows the box and runs it until the user closes it, hides it, then runs afterHide while the
// box still exists (the focus or text step some actions take), and destroys the box.
template <class AfterHide>
void showMessage(const eString& message, MessageKind kind, AfterHide afterHide) {
    const bool error = kind == MessageKind::error;
    // 129: an error icon and an OK button; 1: an OK button.
    eMessageBox box(message, error ? "Error" : "Info", error ? 129 : 1, 1, 0);
    box.show();
    box.exec();
    box.hide();
    afterHide();
}

inline void showMessage(const eString& message, MessageKind kind) {
    showMessage(message, kind, [] {});
}

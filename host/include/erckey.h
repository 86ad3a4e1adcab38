#pragma once
// A key press as the toolkit receives it from the remote control (or its stand-in).

#include <string>

enum class eKeyCode {
    up,
    down,
    left,
    right,
    ok,
    exit,
    red,
    green,
    yellow,
    blue,
    backspace,
    text, // printable characters typed at once; a digit key arrives as text too
};

struct eRCKey {
    eKeyCode code;
    std::string text; // only for eKeyCode::text
};

// The name a colour key is bound by in eButton::setShortcut, or null for other keys.
const char* colourName(eKeyCode code);

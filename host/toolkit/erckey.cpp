#include "erckey.h"

const char* colourName(eKeyCode code) {
    switch (code) {
    case eKeyCode::red:
        return "red";
    case eKeyCode::green:
        return "green";
    case eKeyCode::yellow:
        return "yellow";
    case eKeyCode::blue:
        return "blue";
    default:
        return nullptr;
    }
}

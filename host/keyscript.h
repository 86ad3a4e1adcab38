#pragma once
// Key scripts: key words separated by blanks, and double-quoted texts to type.

#include <string>
#include <string_view>
#include <vector>

#include "erckey.h"

struct KeyScript {
    std::vector<eRCKey> keys;
    std::string error; // empty when the whole script was understood
};

// Words: up down left right ok exit red green yellow blue backspace and 0 to 9. A text in
// double quotes, where \" and \\ stand for a quote and a backslash, is typed as it stands.
KeyScript parseKeyScript(std::string_view script);

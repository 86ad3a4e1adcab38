#pragma once

#include <string>
#include <string_view>

// The text in double quotes, with quotes, backslashes, control characters and bytes outside
// printable ASCII written as escapes (\n, \r, \t, \", \\, \xNN), so that dumps are plain ASCII.
std::string quoted(std::string_view text);

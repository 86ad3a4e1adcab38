#include "visibletext.h"

#include <cstdio>

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (byte < 0x20 || byte >= 0x7f) {
                char escape[5];
                std::snprintf(escape, sizeof escape, "\\x%02x", byte);
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

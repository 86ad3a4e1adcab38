#include "keyscript.h"

#include <array>
#include <utility>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

constexpr std::array<std::pair<std::string_view, eKeyCode>, 11> keyWords{{
    {"up", eKeyCode::up},
    {"down", eKeyCode::down},
    {"left", eKeyCode::left},
    {"right", eKeyCode::right},
    {"ok", eKeyCode::ok},
    {"exit", eKeyCode::exit},
    {"red", eKeyCode::red},
    {"green", eKeyCode::green},
    {"yellow", eKeyCode::yellow},
    {"blue", eKeyCode::blue},
    {"backspace", eKeyCode::backspace},
}};

// Reads the quoted text starting at script[pos] (the opening quote); returns false on a
// malformed text and sets error.
bool readQuoted(std::string_view script, std::size_t& pos, std::string& text, std::string& error) {
    for (++pos; pos < script.size(); ++pos) {
        const char c = script[pos];
        if (c == '"') {
            ++pos;
            if (pos < script.size() && !isBlank(script[pos])) {
                error = "a blank must follow the closing quote";
                return false;
            }
            return true;
        }
        if (c == '\\') {
            if (pos + 1 >= script.size() || (script[pos + 1] != '"' && script[pos + 1] != '\\')) {
                error = "only \\\" and \\\\ may follow a backslash in a quoted text";
                return false;
            }
            ++pos;
        }
        text += script[pos];
    }
    error = "a quoted text is not closed";
    return false;
}

} // namespace

KeyScript parseKeyScript(std::string_view script) {
    KeyScript result;
    std::size_t pos = 0;
    while (pos < script.size()) {
        if (isBlank(script[pos])) {
            ++pos;
            continue;
        }
        if (script[pos] == '"') {
            std::string text;
            if (!readQuoted(script, pos, text, result.error))
                return result;
            if (!text.empty())
                result.keys.push_back({eKeyCode::text, std::move(text)});
            continue;
        }
        std::size_t end = pos;
        while (end < script.size() && !isBlank(script[end]))
            ++end;
        const std::string_view word = script.substr(pos, end - pos);
        pos = end;
        if (word.size() == 1 && word[0] >= '0' && word[0] <= '9') {
            result.keys.push_back({eKeyCode::text, std::string(word)});
            continue;
        }
        bool known = false;
        for (const auto& [name, code] : keyWords) {
            if (word == name) {
                result.keys.push_back({code, {}});
                known = true;
                break;
            }
        }
        if (!known) {
            result.error = "unknown key word '" + std::string(word) + "'";
            return result;
        }
    }
    return result;
}

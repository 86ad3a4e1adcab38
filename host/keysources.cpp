#include "keysources.h"

#include <iostream>
#include <string>

#include "keyscript.h"

std::optional<eRCKey> ScriptedKeys::next() {
    if (used == keys.size())
        return std::nullopt;
    return keys[used++];
}

std::optional<eRCKey> TypedKeys::next() {
    while (used == pending.size()) {
        showScreen();
        std::string line;
        if (!std::getline(in, line))
            return std::nullopt;
        KeyScript script = parseKeyScript(line);
        if (!script.error.empty()) {
            std::cerr << "morvane-host: " << script.error << "; line ignored\n";
            continue;
        }
        pending = std::move(script.keys);
        used = 0;
    }
    return pending[used++];
}

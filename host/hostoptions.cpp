#include "hostoptions.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

const char* const hostUsage =
    "usage: morvane-host [options] [PLUGIN]\n"
    "Loads PLUGIN (default: morvane.so.0 beside this program) and calls its plugin_exec.\n"
    "  --root DIR       run with DIR/tmp as /tmp and DIR/var/kovrin as /var/kovrin\n"
    "  --bind SRC:DST   inside the sandbox, mount SRC over DST (repeatable)\n"
    "  --keys SCRIPT    press these keys; without it, key lines are read from standard input\n"
    "                   and the screen is printed before each line is read\n"
    "  --dump FILE      append a snapshot of the screen each time a window waits for a key\n"
    "  --trace FILE     write one line for each toolkit call the plug-in makes\n"
    "  --fontsize N     the skin's \"fontsize\" (without it the skin has none)\n"
    "  --calls N        call plugin_exec N times (default 1)\n"
    "keys: up down left right ok exit red green yellow blue backspace 0..9 \"text\"\n"
    "exit status: 0 done, 1 error, 2 usage, 3 keys used up while a window waited,\n"
    "             4 plugin_exec returned non-zero, 5 keys left over at the end\n";

namespace {

bool parseNumber(std::string_view text, int low, int high, int& value) {
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(copy.c_str(), &end, 10);
    if (copy.empty() || *end != '\0' || errno != 0 || parsed < low || parsed > high)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace

std::optional<HostOptions> parseHostOptions(int argc, char** argv, std::string& error) {
    HostOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto value = [&]() -> std::string_view { return argv[++i]; };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--root" || arg == "--bind" || arg == "--keys" || arg == "--dump" ||
                   arg == "--trace" || arg == "--fontsize" || arg == "--calls") {
            if (!hasValue) {
                error = std::string(arg) + " needs a value";
                return std::nullopt;
            }
            const std::string_view given = value();
            if (arg == "--root") {
                options.root = given;
            } else if (arg == "--bind") {
                const auto colon = given.find(':');
                if (colon == std::string_view::npos || colon == 0 || colon + 1 == given.size()) {
                    error = "--bind needs SRC:DST";
                    return std::nullopt;
                }
                options.binds.push_back(
                    {std::string(given.substr(0, colon)), std::string(given.substr(colon + 1))});
            } else if (arg == "--keys") {
                options.keys = std::string(given);
            } else if (arg == "--dump") {
                options.dumpFile = given;
            } else if (arg == "--trace") {
                options.traceFile = given;
            } else if (arg == "--fontsize") {
                int size = 0;
                if (!parseNumber(given, 1, 500, size)) {
                    error = "--fontsize needs a number from 1 to 500";
                    return std::nullopt;
                }
                options.fontSize = size;
            } else {
                if (!parseNumber(given, 0, 1000000, options.calls)) {
                    error = "--calls needs a number from 0 to 1000000";
                    return std::nullopt;
                }
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        } else if (i + 1 == argc) {
            options.plugin = arg;
        } else {
            error = "the plug-in file must be the last argument";
            return std::nullopt;
        }
    }
    if (!options.binds.empty() && options.root.empty()) {
        error = "--bind works only inside a sandbox: give --root too";
        return std::nullopt;
    }
    return options;
}

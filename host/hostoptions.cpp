#include "hostoptions.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

const char* const hostUsage =
    "usage: morvane-host [options] [PLUGIN]\n"
    "Loads PLUGIN (default: morvane.so.0 beside this program) and calls its plugin_exec.\n"
    "  --root DIR       run with DIR/tmp as /tmp and DIR/var/kovrin as /var/kovrin\n"
    "  --bind SRC:DST   inside the sandbox, mount SRC over DST (repeatable)\n"
    "  --tmpfs DST:SIZE inside the sandbox, mount a tmpfs of SIZE (bytes, or with k, m or g)\n"
    "                   over the directory DST, holding a copy of its regular files; after\n"
    "                   /tmp and /var/kovrin, before the binds (repeatable)\n"
    "  --keys SCRIPT    press these keys; without it, key lines are read from standard input\n"
    "                   and the screen is printed before each line is read\n"
    "  --dump FILE      append a snapshot of the screen each time a window waits for a key\n"
    "  --trace FILE     write one line for each toolkit call the plug-in makes\n"
    "  --screenshot DIR write DIR/screen-NNNN.png each time a window waits for a key\n"
    "  --heap FILE      append the bytes of heap in use, one line each time a window waits\n"
    "                   for a key (mallinfo2, or the sanitizer's allocator in that build)\n"
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

// A size as tmpfs takes it: a number of bytes, or of k, m or g. Zero is refused, since tmpfs
// takes it for no limit at all.
bool validTmpfsSize(std::string_view size) {
    const std::string_view digits =
        !size.empty() && std::string_view("kmg").find(size.back()) != std::string_view::npos
            ? size.substr(0, size.size() - 1)
            : size;
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos &&
           digits.find_first_not_of('0') != std::string_view::npos;
}

// Splits FIRST:SECOND at its first colon; false when either part is empty.
bool splitPair(std::string_view given, std::string& first, std::string& second) {
    const auto colon = given.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == given.size())
        return false;
    first = given.substr(0, colon);
    second = given.substr(colon + 1);
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
        } else if (arg == "--root" || arg == "--bind" || arg == "--tmpfs" || arg == "--keys" ||
                   arg == "--dump" || arg == "--trace" || arg == "--heap" ||
                   arg == "--screenshot" || arg == "--fontsize" || arg == "--calls") {
            if (!hasValue) {
                error = std::string(arg) + " needs a value";
                return std::nullopt;
            }
            const std::string_view given = value();
            if (arg == "--root") {
                options.root = given;
            } else if (arg == "--bind") {
                BindMount bind;
                if (!splitPair(given, bind.source, bind.target)) {
                    error = "--bind needs SRC:DST";
                    return std::nullopt;
                }
                options.binds.push_back(bind);
            } else if (arg == "--tmpfs") {
                TmpfsMount tmpfs;
                if (!splitPair(given, tmpfs.target, tmpfs.size) || !validTmpfsSize(tmpfs.size)) {
                    error = "--tmpfs needs DST:SIZE with a size above zero";
                    return std::nullopt;
                }
                options.tmpfs.push_back(tmpfs);
            } else if (arg == "--keys") {
                options.keys = std::string(given);
            } else if (arg == "--dump") {
                options.dumpFile = given;
            } else if (arg == "--trace") {
                options.traceFile = given;
            } else if (arg == "--screenshot") {
                options.screenshotDir = given;
            } else if (arg == "--heap") {
                options.heapFile = given;
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
    if ((!options.binds.empty() || !options.tmpfs.empty()) && options.root.empty()) {
        error = "--bind and --tmpfs work only inside a sandbox: give --root too";
        return std::nullopt;
    }
    return options;
}

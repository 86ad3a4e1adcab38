#pragma once
// The host program's command line.

#include <optional>
#include <string>
#include <vector>

#include "sandbox.h"

struct HostOptions {
    std::string root;                // --root: run in a sandbox under this directory
    std::vector<BindMount> binds;    // --bind SRC:DST, inside the sandbox
    std::vector<TmpfsMount> tmpfs;   // --tmpfs DST:SIZE, inside the sandbox
    std::optional<std::string> keys; // --keys: the key script; otherwise standard input
    std::string dumpFile;            // --dump
    std::string traceFile;           // --trace
    std::string screenshotDir;       // --screenshot
    std::string heapFile;            // --heap
    std::optional<int> fontSize;     // --fontsize
    int calls = 1;                   // --calls
    std::string plugin;              // the last argument; empty: the one beside the host
    bool help = false;
};

// Parses argv; on a mistake returns nothing and sets error.
std::optional<HostOptions> parseHostOptions(int argc, char** argv, std::string& error);

extern const char* const hostUsage;

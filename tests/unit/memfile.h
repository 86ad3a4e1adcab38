#pragma once
// A FILE* reading from a string, for tests of the readers.

#include <cstdio>
#include <string>

// Reads content; the returned file must be closed with std::fclose. The buffer must outlive it.
inline std::FILE* openMemory(std::string& buffer) {
    // fmemopen refuses an empty buffer, /dev/null reads the same.
    return buffer.empty() ? std::fopen("/dev/null", "rb")
                          : fmemopen(buffer.data(), buffer.size(), "rb");
}

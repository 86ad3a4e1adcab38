#pragma once
// Reading a command's captured output in chunks for the output window.

#include <cstddef>
#include <cstdio>
#include <string_view>

class OutputReader {
  public:
    static constexpr std::size_t chunkSize = 1023;

    // Stops after textLimit bytes of text or chunkLimit chunks, whichever comes first.
    OutputReader(std::FILE* file, std::size_t textLimit, std::size_t chunkLimit)
        : file(file), textLimit(textLimit), chunkLimit(chunkLimit) {}

    // The next chunk: up to and including the next line feed, but at most chunkSize bytes.
    // Its text stops at its first NUL byte. It stays valid until the next call. Returns
    // false at the end of the file, on a read error, or at a limit.
    bool next(std::string_view& chunk);
    // Whether reading stopped at a limit with more output left unread.
    bool wasCut() const { return cut; }

  private:
    std::FILE* file;
    std::size_t textLimit;
    std::size_t chunkLimit;
    std::size_t textRead = 0;
    std::size_t chunksRead = 0;
    bool cut = false;
    char buffer[chunkSize + 1];
};

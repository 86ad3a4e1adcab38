#pragma once
// Reading the command file: one command per line, split only at line feeds.

#include <cstdio>
#include <string_view>

class CommandFileReader {
  public:
    explicit CommandFileReader(std::FILE* file) : file(file) {}
    ~CommandFileReader();
    CommandFileReader(const CommandFileReader&) = delete;
    CommandFileReader& operator=(const CommandFileReader&) = delete;

    // The next line's command, without its line feed; a line of any length is one command,
    // and its text stops at its first NUL byte. The text stays valid until the next call.
    // Returns false at the end of the file or on a read error.
    bool next(std::string_view& command);

  private:
    std::FILE* file;
    char* buffer = nullptr;
    std::size_t capacity = 0;
};

// Whether the file at path ends in something other than a line feed, so that a line
// appended to it would run on from its last line. False for an empty or unreadable file.
bool lastLineUnterminated(const char* path);

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
    // The next line as it stands, without its line feed but with any NUL bytes; the same
    // validity and end as next.
    bool nextLine(std::string_view& line);

  private:
    std::FILE* file;
    char* buffer = nullptr;
    std::size_t capacity = 0;
};

// Whether the file at path ends in something other than a line feed, so that a line
// appended to it would run on from its last line. False for an empty or unreadable file, and
// for anything but a regular file.
bool lastLineUnterminated(const char* path);

// The length of what the delete filter writes for the file: each line that is not exactly
// removed, ended by a line feed, also a last line that had none. Reads the file to its end.
std::size_t filteredLength(std::FILE* file, std::string_view removed);

// Whether the regular file at filteredPath is as long as the delete filter's output for the
// command file at commandPath must be. Some greps (busybox's) exit 0 even when their output
// did not fit: a cut scratch file must never replace the command file.
bool holdsFilteredLines(const char* filteredPath, const char* commandPath,
                        std::string_view removed);

// Reading the command file into commands.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "commandfile.h"
#include "memfile.h"

namespace {

std::vector<std::string> readAll(const std::string& content) {
    std::vector<std::string> commands;
    // fmemopen of an empty buffer is allowed only with a size of at least one byte.
    std::string buffer = content;
    std::FILE* file = content.empty() ? std::fopen("/dev/null", "rb")
                                      : fmemopen(buffer.data(), buffer.size(), "rb");
    if (!file) {
        ADD_FAILURE() << "cannot open the test content";
        return commands;
    }
    {
        CommandFileReader reader(file);
        std::string_view command;
        while (reader.next(command))
            commands.emplace_back(command);
    }
    std::fclose(file);
    return commands;
}

using Commands = std::vector<std::string>;

} // namespace

TEST(CommandFileReader, SplitsOnlyAtLineFeeds) {
    const std::string longLine(5000, 'x');
    struct Case {
        const char* name;
        std::string content;
        Commands expected;
    };
    const std::vector<Case> cases = {
        {"empty file", "", {}},
        {"two lines", "ls\npwd\n", {"ls", "pwd"}},
        {"last line without a line feed keeps every character", "ls\npwd", {"ls", "pwd"}},
        {"empty lines, blanks and duplicates stay", "\n  a \n\na\na\n", {"", "  a ", "", "a", "a"}},
        {"a carriage return stays", "ls\r\npwd\n", {"ls\r", "pwd"}},
        {"1022, 1023 and 5000 characters are one command each",
         std::string(1022, 'a') + "\n" + std::string(1023, 'b') + "\n" + longLine + "\n",
         {std::string(1022, 'a'), std::string(1023, 'b'), longLine}},
        {"a text stops at its first NUL", std::string("ab\0cd\nef\n", 9), {"ab", "ef"}},
        {"a NUL does not merge two lines", std::string("\0\nx\n", 4), {"", "x"}},
        {"a lone line feed", "\n", {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readAll(c.content), c.expected);
    }
}

TEST(CommandFile, LastLineUnterminated) {
    struct Case {
        const char* name;
        std::string content;
        bool unterminated;
    };
    const std::vector<Case> cases = {
        {"empty", "", false},
        {"ends in a line feed", "ls\n", false},
        {"ends without one", "ls\npwd", true},
        {"ends in a carriage return", "ls\r", true},
        {"ends in a NUL", std::string("ls\0", 3), true},
    };
    // In the working directory (the build tree), not the machine's /tmp.
    char directory[] = "morvane-test-XXXXXX";
    ASSERT_NE(mkdtemp(directory), nullptr);
    const std::string path = std::string(directory) + "/commands";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(c.content.data(), 1, c.content.size(), file);
        std::fclose(file);
        EXPECT_EQ(lastLineUnterminated(path.c_str()), c.unterminated);
    }
    std::remove(path.c_str());
    EXPECT_FALSE(lastLineUnterminated(path.c_str())); // a missing file
    rmdir(directory);
}

TEST(CommandFile, FilteredLengthCountsTheLinesThatStay) {
    struct Case {
        const char* name;
        std::string content, removed;
        std::size_t length;
    };
    const std::vector<Case> cases = {
        {"empty file", "", "ls", 0},
        {"every copy goes", "ls\npwd\nls\n", "ls", 4},
        {"only whole lines go", "ls\nls -l\n ls\n", "ls", 10},
        {"a last line without a line feed gets one", "ls\npwd", "ls", 4},
        {"an unterminated last line that goes", "pwd\nls", "ls", 4},
        {"an empty text removes empty lines", "\nls\n\n", "", 3},
        {"a line with a NUL is longer than its entry", std::string("ls\0x\nls\n", 8), "ls", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string buffer = c.content;
        std::FILE* file = openMemory(buffer);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(filteredLength(file, c.removed), c.length);
        std::fclose(file);
    }
}

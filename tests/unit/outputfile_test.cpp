// Reading captured output in chunks, up to the output window's limits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memfile.h"
#include "outputfile.h"

namespace {

struct Read {
    std::vector<std::string> chunks;
    bool cut;
};

Read readAll(const std::string& content, std::size_t textLimit, std::size_t chunkLimit) {
    std::string buffer = content;
    std::FILE* file = openMemory(buffer);
    Read read{{}, false};
    if (!file) {
        ADD_FAILURE() << "cannot open the test content";
        return read;
    }
    OutputReader reader(file, textLimit, chunkLimit);
    std::string_view chunk;
    while (reader.next(chunk))
        read.chunks.emplace_back(chunk);
    read.cut = reader.wasCut();
    std::fclose(file);
    return read;
}

using Chunks = std::vector<std::string>;

} // namespace

TEST(OutputReader, ChunksKeepTheirLineEndsAndStopAtTheLimits) {
    const std::string a1023(1023, 'a'), b2500(2500, 'b');
    struct Case {
        const char* name;
        std::string content;
        std::size_t textLimit, chunkLimit;
        Chunks chunks;
        bool cut;
    };
    const std::vector<Case> cases = {
        {"empty", "", 100, 10, {}, false},
        {"lines keep their line feeds", "a\n\nb", 100, 10, {"a\n", "\n", "b"}, false},
        {"1023 characters and a line feed", a1023 + "\n", 5000, 10, {a1023, "\n"}, false},
        {"2500 characters",
         b2500 + "\n",
         5000,
         10,
         {b2500.substr(0, 1023), b2500.substr(1023, 1023), b2500.substr(2046) + "\n"},
         false},
        {"a NUL ends the chunk's text",
         std::string("ab\0cd\nef\n", 9),
         100,
         10,
         {"ab", "ef\n"},
         false},
        {"exactly at the chunk limit", "1\n2\n3\n", 100, 3, {"1\n", "2\n", "3\n"}, false},
        {"over the chunk limit", "1\n2\n3\n4\n", 100, 3, {"1\n", "2\n", "3\n"}, true},
        {"exactly at the text limit", "12\n34\n", 6, 10, {"12\n", "34\n"}, false},
        {"over the text limit", "12\n34\n5\n", 6, 10, {"12\n", "34\n"}, true},
        {"a chunk that would pass the text limit", "12\n3456\n", 6, 10, {"12\n"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read read = readAll(c.content, c.textLimit, c.chunkLimit);
        EXPECT_EQ(read.chunks, c.chunks);
        EXPECT_EQ(read.cut, c.cut);
    }
}

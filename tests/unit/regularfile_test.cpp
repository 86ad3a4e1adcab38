// Opening files that may be FIFOs, directories or devices, without waiting.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "regularfile.h"

namespace {

// A directory in the working directory (the build tree), not the machine's /tmp.
class RegularFile : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(mkdtemp(directory), nullptr); }
    void TearDown() override {
        for (const std::string& path : made)
            if (std::remove(path.c_str()) != 0)
                ADD_FAILURE() << "cannot remove " << path;
        rmdir(directory);
    }

    std::string path(const char* name) {
        made.push_back(std::string(directory) + "/" + name);
        return made.back();
    }
    std::string file(const char* name, const std::string& content) {
        const std::string at = path(name);
        std::FILE* out = std::fopen(at.c_str(), "wb");
        EXPECT_NE(out, nullptr);
        if (out) {
            std::fwrite(content.data(), 1, content.size(), out);
            std::fclose(out);
        }
        return at;
    }

    char directory[32] = "morvane-test-XXXXXX";
    std::vector<std::string> made;
};

} // namespace

TEST_F(RegularFile, OnlyARegularFileIsOpenedAndNothingWaits) {
    const std::string fifo = path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string sub = path("directory");
    ASSERT_EQ(mkdir(sub.c_str(), 0700), 0);
    struct Case {
        std::string path;
        bool opens, regular;
    };
    const std::vector<Case> cases = {
        {file("regular", "ls\n"), true, true},
        {fifo, true, false},
        {sub, true, false},
        {"/dev/zero", true, false},
        {std::string(directory) + "/missing", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(canOpenForReading(c.path.c_str()), c.opens);
        std::FILE* opened = openRegularFile(c.path.c_str());
        EXPECT_EQ(opened != nullptr, c.regular);
        if (opened)
            std::fclose(opened);
        EXPECT_EQ(regularFileLength(c.path.c_str()).has_value(), c.regular);
    }
}

TEST_F(RegularFile, TruncationOnlyShortensARegularFile) {
    const std::string commands = file("commands", "ls\npwd\n");
    EXPECT_EQ(regularFileLength(commands.c_str()), 7);
    truncateRegularFile(commands.c_str(), 3);
    EXPECT_EQ(regularFileLength(commands.c_str()), 3);
    truncateRegularFile(commands.c_str(), 5); // never lengthens it
    EXPECT_EQ(regularFileLength(commands.c_str()), 3);
    const std::string fifo = path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    truncateRegularFile(fifo.c_str(), 0); // returns at once, with no reader on the other end
}

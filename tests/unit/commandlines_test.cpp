// Forming the shell command lines, and the statuses they are judged by.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "commandlines.h"

namespace {

// What the machine's shell makes of the quoted text as one printf argument.
std::string echoedByShell(const std::string& text) {
    const std::string line = "printf %s " + quoteForShell(text);
    std::FILE* shell = popen(line.c_str(), "r");
    if (!shell)
        return "(popen failed)";
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, shell)) > 0;)
        out.append(buffer, n);
    pclose(shell);
    return out;
}

} // namespace

TEST(QuoteForShell, EveryTextReachesTheCommandAsOneLiteralArgument) {
    std::vector<std::string> texts = {"",   "plain", "it's",   "'",      "''",     "a'b'c",
                                      "\\", "$HOME", "`id`",   "$(id)",  "%s%d%n", "*",
                                      "-n", "--",    " a  b ", "\"\\\"", "a\nb",   "\t\r"};
    for (int byte = 1; byte < 256; ++byte)
        texts.push_back(std::string("x") + static_cast<char>(byte) + "y");
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> byteOf(1, 255), lengthOf(0, 30);
    for (int i = 0; i < 50; ++i) {
        std::string text(static_cast<std::size_t>(lengthOf(random)), ' ');
        for (char& c : text)
            c = static_cast<char>(byteOf(random));
        texts.push_back(text);
    }
    for (const std::string& text : texts)
        EXPECT_EQ(echoedByShell(text), text) << "quoted as " << quoteForShell(text);
}

TEST(CommandLines, FormedFromTheirTemplates) {
    const std::string longText(5000, 'x');
    EXPECT_EQ(runCommandLine("ls /; df"), "ls /; df > /tmp/shell.temp");
    EXPECT_EQ(runCommandLine(longText), longText + " > /tmp/shell.temp");
    EXPECT_EQ(runCommandLine("printf '%s\\n' 100%"), "printf '%s\\n' 100% > /tmp/shell.temp");
    EXPECT_EQ(deleteFilterCommandLine("a'b"),
              "LC_ALL=C grep -a -v -x -F -e 'a'\\''b' /var/kovrin/config/morvane.cfg"
              " > /tmp/morvane.temp");
    EXPECT_EQ(appendCommandLine("echo %s", false),
              "printf '%s\\n' 'echo %s' >> /var/kovrin/config/morvane.cfg");
    EXPECT_EQ(appendCommandLine("ls", true),
              "printf '\\n%s\\n' 'ls' >> /var/kovrin/config/morvane.cfg");
}

TEST(CommandLines, AFilterThatWritesNoLineStillSucceeds) {
    struct Case {
        int status;
        bool succeeded;
    };
    const std::vector<Case> cases = {
        {0, true},         // lines written
        {1 << 8, true},    // exit 1: no line left
        {2 << 8, false},   // exit 2: an error
        {127 << 8, false}, // the shell found no grep
        {SIGKILL, false},  // killed by a signal
        {-1, false},       // no shell could be started
    };
    for (const Case& c : cases)
        EXPECT_EQ(filterSucceeded(c.status), c.succeeded) << "status " << c.status;
}

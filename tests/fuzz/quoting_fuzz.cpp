// The shell quoting. For any text without NUL (a command line cannot hold one),
// `sh -c "printf %s QUOTED"` prints the text back exactly, under dash and under busybox's sh,
// the machine's shell and the box's. Each input starts both shells, so a run is slow.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commandlines.h"

extern char** environ;

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s: %s\n", what, std::strerror(errno));
    std::abort();
}

// What the program writes to its standard output, or nothing when it does not exit with 0.
std::optional<std::string> outputOf(std::vector<const char*> argv) {
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        fail("pipe");
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0 ||
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO) != 0)
        fail("spawn actions");
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr,
                                    const_cast<char* const*>(argv.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        errno = spawned;
        fail(argv[0]);
    }
    std::string output;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail("read");
        if (got == 0)
            break;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            fail("waitpid");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return output;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.find('\0') != std::string_view::npos)
        return 0;
    const std::string script = "printf %s " + quoteForShell(text);
    const std::vector<std::vector<const char*>> shells = {
        {MORVANE_DASH, "-c", script.c_str()},
        {MORVANE_BUSYBOX, "sh", "-c", script.c_str()},
    };
    for (const auto& shell : shells) {
        const std::optional<std::string> printed = outputOf(shell);
        if (printed != std::optional<std::string>(text)) {
            std::fprintf(stderr, "%s did not print the text back: %s\n", shell[0],
                         printed ? "different output" : "it failed");
            std::abort();
        }
    }
    return 0;
}

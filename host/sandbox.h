#pragma once
#include <string>
#include <vector>

struct BindMount {
    std::string source;
    std::string target;
};

struct TmpfsMount {
    std::string target;
    std::string size; // as tmpfs takes it: bytes, or a number with k, m or g
};

// Moves the calling (single-threaded) process into a private mount namespace in which
// DIR/tmp is /tmp and DIR/var/kovrin is /var/kovrin, then bind-mounts each SOURCE over TARGET
// in order. Before the binds, each tmpfs mount puts a tmpfs of its size over its TARGET, holding
// a copy of the regular files directly in TARGET (nothing else is copied), for file systems that
// fill up. Returns an empty string on success, otherwise a one-line message saying what failed
// (with strerror text).
//
// SOURCE paths are resolved as the caller sees them before anything is mounted, so a source
// under the real /tmp still works; TARGET paths are resolved inside the sandbox.
// When the real /var/kovrin does not exist, /var becomes a small tmpfs that mirrors the real
// top-level entries plus kovrin; the real /var is staged on DIR/.sandbox/var while doing so,
// which is left behind as an empty directory.
// Without root, a user namespace maps the caller's own uid and gid, and every capability is
// dropped afterwards so file permissions apply as for the real user.
// After a failure the process may be left in a half-built namespace and should exit.
std::string enterSandbox(const std::string& root, const std::vector<BindMount>& binds,
                         const std::vector<TmpfsMount>& tmpfsMounts = {});

#include "sandbox.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <utility>

namespace {

// Owns a descriptor. Only read-only and O_PATH descriptors are held here, so a failing
// close has nothing to report.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&&) = delete;
    ~Fd() {
        if (fd_ >= 0)
            close(fd_);
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // A path that reaches the opened file even after its own path has been mounted over.
    std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

  private:
    int fd_;
};

// Call right after the failing system call, before errno can change.
std::string failure(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

Fd openPath(const std::string& path) {
    return Fd(open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// Like mkdir -p.
std::string makeDirs(const std::string& path) {
    std::string::size_type end = 0;
    while (end != std::string::npos) {
        end = path.find('/', end + 1);
        const std::string prefix = path.substr(0, end);
        if (mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
            return failure("cannot create " + prefix);
    }
    return {};
}

std::string writeFile(const std::string& path, const std::string& text) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return failure("cannot open " + path);
    const ssize_t written = write(fd, text.data(), text.size());
    if (written < 0) {
        const std::string message = failure("cannot write " + path);
        close(fd);
        return message;
    }
    if (static_cast<std::size_t>(written) != text.size()) {
        close(fd);
        return "cannot write " + path + ": short write";
    }
    if (close(fd) != 0)
        return failure("cannot write " + path);
    return {};
}

// Root gets a plain mount namespace. Anyone else (or root where that is refused) gets a user
// namespace too, mapping the caller's ids to themselves so permission checks are unchanged.
// Sets inUserNamespace accordingly.
std::string enterNamespace(bool& inUserNamespace) {
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    inUserNamespace = false;
    if (uid == 0 && unshare(CLONE_NEWNS) == 0)
        return {};
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return failure("cannot create a private mount namespace") +
               " (needs root or unprivileged user namespaces)";
    inUserNamespace = true;
    if (auto error = writeFile("/proc/self/setgroups", "deny"); !error.empty())
        return error;
    const std::string uidMap = std::to_string(uid) + " " + std::to_string(uid) + " 1";
    if (auto error = writeFile("/proc/self/uid_map", uidMap); !error.empty())
        return error;
    const std::string gidMap = std::to_string(gid) + " " + std::to_string(gid) + " 1";
    return writeFile("/proc/self/gid_map", gidMap);
}

// The kernel ignores the file system type of a bind or propagation change; "none", as mount(8)
// passes, rather than null, which valgrind reports as an unreadable argument.
constexpr const char* noType = "none";

// shownSource names the source in messages when source is a /proc/self/fd path.
std::string bind(const std::string& source, const std::string& shownSource,
                 const std::string& target, unsigned long flags) {
    if (mount(source.c_str(), target.c_str(), noType, flags, nullptr) != 0)
        return failure("cannot bind " + shownSource + " onto " + target);
    return {};
}

std::string listDirectory(const Fd& dir, const std::string& shown,
                          std::vector<std::string>& names) {
    std::unique_ptr<DIR, int (*)(DIR*)> stream(opendir(dir.path().c_str()), &closedir);
    if (!stream)
        return failure("cannot list " + shown);
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(stream.get());
        if (!entry) {
            if (errno != 0)
                return failure("cannot list " + shown);
            return {};
        }
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
}

// Recreates one top-level entry of the real /var (reachable through staged) on the tmpfs.
std::string mirrorVarEntry(const Fd& staged, const std::string& name) {
    const std::string target = "/var/" + name;
    const std::string source = staged.path() + "/" + name;
    struct stat info;
    if (fstatat(staged.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return failure("cannot inspect real " + target);
    if (S_ISLNK(info.st_mode)) {
        char link[PATH_MAX];
        const ssize_t length = readlinkat(staged.get(), name.c_str(), link, sizeof link);
        if (length < 0)
            return failure("cannot read link real " + target);
        if (static_cast<std::size_t>(length) == sizeof link)
            return "cannot read link real " + target + ": target too long";
        if (symlink(std::string(link, length).c_str(), target.c_str()) != 0)
            return failure("cannot create link " + target);
        return {};
    }
    if (S_ISDIR(info.st_mode)) {
        if (mkdir(target.c_str(), 0755) != 0)
            return failure("cannot create " + target);
        return bind(source, "real " + target, target, MS_BIND | MS_REC);
    }
    // Any other kind of file can be bound onto an empty regular file.
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return failure("cannot create " + target);
    if (close(fd) != 0)
        return failure("cannot create " + target);
    return bind(source, "real " + target, target, MS_BIND);
}

// The real /var has no kovrin and must not be changed, so /var is replaced by a tmpfs holding
// the real top-level entries plus kovrin. The real /var stays reachable through a staging
// bind mount while the tmpfs is filled in.
std::string rebuildVar(const std::string& root, const Fd& kovrin) {
    const std::string staging = root + "/.sandbox/var";
    if (auto error = makeDirs(staging); !error.empty())
        return error;
    struct stat var;
    if (stat("/var", &var) != 0)
        return failure("cannot inspect /var");
    if (auto error = bind("/var", "/var", staging, MS_BIND | MS_REC); !error.empty())
        return error;
    const Fd staged = openPath(staging);
    if (!staged.valid())
        return failure("cannot open " + staging);
    std::vector<std::string> names;
    if (auto error = listDirectory(staged, "/var", names); !error.empty())
        return error;

    std::ostringstream options;
    options << "size=1m,mode=" << std::oct << (var.st_mode & 07777);
    if (mount("tmpfs", "/var", "tmpfs", MS_NOSUID | MS_NODEV, options.str().c_str()) != 0)
        return failure("cannot mount a tmpfs on /var");
    for (const std::string& name : names)
        if (auto error = mirrorVarEntry(staged, name); !error.empty())
            return error;
    if (mkdir("/var/kovrin", 0755) != 0)
        return failure("cannot create /var/kovrin");
    if (auto error = bind(kovrin.path(), root + "/var/kovrin", "/var/kovrin", MS_BIND | MS_REC);
        !error.empty())
        return error;
    if (umount2(staged.path().c_str(), MNT_DETACH) != 0)
        return failure("cannot detach " + staging);
    return {};
}

std::string mountVar(const std::string& root, const Fd& kovrin) {
    struct stat info;
    if (lstat("/var/kovrin", &info) == 0)
        return bind(kovrin.path(), root + "/var/kovrin", "/var/kovrin", MS_BIND | MS_REC);
    if (errno != ENOENT)
        return failure("cannot inspect /var/kovrin");
    return rebuildVar(root, kovrin);
}

// Copies the regular file name from the directory from into the directory to, with its mode.
std::string copyFile(const Fd& from, const std::string& name, const std::string& to) {
    const std::string path = to + "/" + name;
    const Fd input(openat(from.get(), name.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (!input.valid() || fstat(input.get(), &info) != 0)
        return failure("cannot open " + path + " to copy it");
    const int output = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (output < 0)
        return failure("cannot create " + path + " on the tmpfs");
    auto fail = [&](const std::string& what) {
        const std::string message = failure(what);
        close(output);
        return message;
    };
    if (fchmod(output, info.st_mode & 07777) != 0)
        return fail("cannot set the mode of " + path);
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(input.get(), buffer, sizeof buffer);
        if (got < 0)
            return fail("cannot read " + path + " to copy it");
        if (got == 0)
            break;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = write(output, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0)
                return fail("cannot copy " + path + " onto the tmpfs");
            done += put;
        }
    }
    if (close(output) != 0)
        return failure("cannot copy " + path + " onto the tmpfs");
    return {};
}

// A tmpfs of the given size over its target, with the target's owner and mode and a copy of
// the regular files directly in it, which stay reachable through the directory opened first.
std::string mountTmpfs(const TmpfsMount& tmpfs) {
    const Fd covered = openPath(tmpfs.target);
    struct stat info;
    if (!covered.valid() || fstat(covered.get(), &info) != 0)
        return failure("cannot open tmpfs target " + tmpfs.target + " in the sandbox");
    std::vector<std::string> names;
    if (auto error = listDirectory(covered, tmpfs.target, names); !error.empty())
        return error;
    std::ostringstream options;
    options << "size=" << tmpfs.size << ",uid=" << info.st_uid << ",gid=" << info.st_gid
            << ",mode=" << std::oct << (info.st_mode & 07777);
    if (mount("tmpfs", tmpfs.target.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
              options.str().c_str()) != 0)
        return failure("cannot mount a tmpfs of " + tmpfs.size + " on " + tmpfs.target);
    for (const std::string& name : names) {
        struct stat entry;
        if (fstatat(covered.get(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0)
            return failure("cannot inspect " + tmpfs.target + "/" + name);
        if (S_ISREG(entry.st_mode))
            if (auto error = copyFile(covered, name, tmpfs.target); !error.empty())
                return error;
    }
    return {};
}

// Without this, the process would still bypass permission checks on files owned by its own
// uid, and programs it runs could regain capabilities.
std::string dropCapabilities() {
    for (int cap = 0; prctl(PR_CAPBSET_READ, cap, 0, 0, 0) >= 0; ++cap)
        if (prctl(PR_CAPBSET_DROP, cap, 0, 0, 0) != 0)
            return failure("cannot drop capability " + std::to_string(cap));
    if (prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0) != 0)
        return failure("cannot clear ambient capabilities");
    __user_cap_header_struct header{};
    header.version = _LINUX_CAPABILITY_VERSION_3;
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (syscall(SYS_capset, &header, data) != 0)
        return failure("cannot drop capabilities");
    return {};
}

} // namespace

std::string enterSandbox(const std::string& root, const std::vector<BindMount>& binds,
                         const std::vector<TmpfsMount>& tmpfsMounts) {
    if (root.empty())
        return "no sandbox directory given";
    if (auto error = makeDirs(root + "/tmp"); !error.empty())
        return error;
    if (auto error = makeDirs(root + "/var/kovrin"); !error.empty())
        return error;
    const std::unique_ptr<char, void (*)(void*)> resolved(realpath(root.c_str(), nullptr),
                                                          &std::free);
    if (!resolved)
        return failure("cannot resolve " + root);
    const std::string absolute = resolved.get();

    bool inUserNamespace = false;
    if (auto error = enterNamespace(inUserNamespace); !error.empty())
        return error;
    if (mount(nullptr, "/", noType, MS_REC | MS_PRIVATE, nullptr) != 0)
        return failure("cannot make mounts private");

    // Every bind source is opened before anything is mounted, so paths that get covered (the
    // sandbox may well live under /tmp or /var) stay reachable. Not earlier: mount(2) only
    // accepts sources from the new namespace.
    const Fd tmp = openPath(absolute + "/tmp");
    if (!tmp.valid())
        return failure("cannot open " + absolute + "/tmp");
    const Fd kovrin = openPath(absolute + "/var/kovrin");
    if (!kovrin.valid())
        return failure("cannot open " + absolute + "/var/kovrin");
    std::vector<Fd> sources;
    for (const BindMount& bindMount : binds) {
        Fd source(open(bindMount.source.c_str(), O_PATH | O_CLOEXEC));
        if (!source.valid())
            return failure("cannot open bind source " + bindMount.source);
        sources.push_back(std::move(source));
    }
    // /var first: while it is rebuilt the sandbox directory must still be reachable by path.
    if (auto error = mountVar(absolute, kovrin); !error.empty())
        return error;
    if (auto error = bind(tmp.path(), absolute + "/tmp", "/tmp", MS_BIND | MS_REC); !error.empty())
        return error;
    for (const TmpfsMount& tmpfs : tmpfsMounts)
        if (auto error = mountTmpfs(tmpfs); !error.empty())
            return error;
    for (std::size_t i = 0; i < binds.size(); ++i) {
        struct stat info;
        if (stat(binds[i].target.c_str(), &info) != 0)
            return failure("cannot find bind target " + binds[i].target + " in the sandbox");
        if (auto error = bind(sources[i].path(), binds[i].source, binds[i].target, MS_BIND);
            !error.empty())
            return error;
    }
    if (inUserNamespace)
        return dropCapabilities();
    return {};
}

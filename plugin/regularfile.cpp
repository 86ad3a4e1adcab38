#include "regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

// O_NONBLOCK makes opening a FIFO return at once instead of waiting for its other end; it
// changes nothing for a regular file.
int openWithoutWaiting(const char* path, int access) {
    return open(path, access | O_NONBLOCK | O_CLOEXEC);
}

bool isRegular(int fd, struct stat& info) {
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

bool canOpenForReading(const char* path) {
    const int fd = openWithoutWaiting(path, O_RDONLY);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

std::FILE* openRegularFile(const char* path) {
    const int fd = openWithoutWaiting(path, O_RDONLY);
    if (fd < 0)
        return nullptr;
    struct stat info;
    if (!isRegular(fd, info)) {
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (!file)
        close(fd);
    return file;
}

std::optional<off_t> regularFileLength(const char* path) {
    struct stat info;
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info.st_size;
}

void truncateRegularFile(const char* path, off_t length) {
    const int fd = openWithoutWaiting(path, O_WRONLY);
    if (fd < 0)
        return; // gone, or not writable: then nothing was appended either
    struct stat info;
    if (isRegular(fd, info) && info.st_size > length && ftruncate(fd, length) != 0)
        std::perror((std::string("morvane: cannot undo a partial append to ") + path).c_str());
    close(fd);
}

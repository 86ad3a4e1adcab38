#include "screenshots.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

std::unique_ptr<Screenshots> Screenshots::open(const std::string& dir, std::string& error) {
    if (mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) {
        error = "cannot create " + dir + ": " + std::strerror(errno);
        return nullptr;
    }
    const int directory = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0) {
        error = "cannot open " + dir + ": " + std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<CairoPainter> painter = CairoPainter::create(error);
    if (!painter) {
        ::close(directory);
        return nullptr;
    }
    return std::unique_ptr<Screenshots>(new Screenshots(directory, std::move(painter)));
}

Screenshots::~Screenshots() {
    ::close(directory);
}

bool Screenshots::write(int number, std::string& error) const {
    char name[32];
    std::snprintf(name, sizeof name, "screen-%04d.png", number);
    const int fd = openat(directory, name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = std::string("cannot write ") + name + ": " + std::strerror(errno);
        return false;
    }
    std::string problem;
    bool written = painter->writePng(render::currentScreen(), fd, problem);
    if (::close(fd) != 0 && written) {
        problem = std::strerror(errno);
        written = false;
    }
    if (!written)
        error = std::string("cannot write ") + name + ": " + problem;
    return written;
}

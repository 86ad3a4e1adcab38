#pragma once
// Numbered PNG pictures of the whole screen in one directory: DIR/screen-0001.png and on.

#include <memory>
#include <string>

#include "cairopainter.h"

class Screenshots {
  public:
    // Creates dir when it does not exist and opens it, so that the pictures land there
    // however the sandbox changes what paths mean afterwards.
    static std::unique_ptr<Screenshots> open(const std::string& dir, std::string& error);
    ~Screenshots();
    Screenshots(const Screenshots&) = delete;
    Screenshots& operator=(const Screenshots&) = delete;

    // Writes the screen as it is now as picture number.
    bool write(int number, std::string& error) const;

  private:
    Screenshots(int directory, std::unique_ptr<CairoPainter> painter)
        : directory(directory), painter(std::move(painter)) {}
    int directory;
    std::unique_ptr<CairoPainter> painter;
};

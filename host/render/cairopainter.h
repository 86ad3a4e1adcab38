#pragma once
// Draws the screen model with Cairo in the DejaVu fonts, loaded from their files so that every
// machine draws the same pixels.

#include <memory>
#include <string>

#include "screenmodel.h"

typedef struct _cairo cairo_t;

class CairoPainter {
  public:
    // Loads the fonts; on failure returns nothing and says which file failed in error.
    static std::unique_ptr<CairoPainter> create(std::string& error);
    ~CairoPainter();
    CairoPainter(const CairoPainter&) = delete;
    CairoPainter& operator=(const CairoPainter&) = delete;

    // Draws screen on a 720x576 image and writes it to fd as PNG.
    bool writePng(const render::Screen& screen, int fd, std::string& error) const;
    // Draws screen at the context's origin, one unit a screen pixel.
    void paint(cairo_t* cr, const render::Screen& screen) const;

  private:
    struct Fonts;
    explicit CairoPainter(std::unique_ptr<Fonts> fonts);
    std::unique_ptr<Fonts> fonts;
};

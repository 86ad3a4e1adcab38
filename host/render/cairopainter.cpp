#include "cairopainter.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <tuple>

#include "elistbox.h"

using render::Element;
using render::Rect;

namespace {

constexpr const char* regularFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* boldFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

struct Colour {
    double red, green, blue;
};

constexpr Colour rgb(unsigned hex) {
    return {((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0, (hex & 0xff) / 255.0};
}

constexpr Colour background = rgb(0x1e2a3a);
constexpr Colour windowFill = rgb(0xdfe3e8);
constexpr Colour labelFill = rgb(0xeceff3);
constexpr Colour border = rgb(0x5a6470);
constexpr Colour ink = rgb(0x1a1a1a);
constexpr Colour paper = rgb(0xffffff);
constexpr Colour buttonFill = rgb(0xc5ccd6);
constexpr Colour focusFill = rgb(0xf2c744);
constexpr Colour titleFill = rgb(0x2d5b96);
constexpr Colour infoFill = rgb(0x2d7d46);
constexpr Colour errorFill = rgb(0xb3261e);
constexpr Colour currentFill = rgb(0x2d5b96);
constexpr Colour currentUnfocusedFill = rgb(0xb9c6d6);
constexpr Colour cursorInk = rgb(0x808890);

Colour shortcutColour(render::Shortcut shortcut) {
    switch (shortcut) {
    case render::Shortcut::red:
        return rgb(0xd32f2f);
    case render::Shortcut::green:
        return rgb(0x2e9d3a);
    case render::Shortcut::yellow:
        return rgb(0xf5c518);
    default:
        return rgb(0x1e63c8);
    }
}

Colour toneFill(render::Tone tone) {
    switch (tone) {
    case render::Tone::info:
        return infoFill;
    case render::Tone::error:
        return errorFill;
    default:
        return titleFill;
    }
}

void setColour(cairo_t* cr, Colour colour) {
    cairo_set_source_rgb(cr, colour.red, colour.green, colour.blue);
}

void fill(cairo_t* cr, const Rect& rect, Colour colour) {
    setColour(cr, colour);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(cr);
}

// A frame of the given line width just inside rect.
void outline(cairo_t* cr, const Rect& rect, Colour colour, double width) {
    setColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_rectangle(cr, rect.x + width / 2, rect.y + width / 2, rect.width - width,
                    rect.height - width);
    cairo_stroke(cr);
}

void clipTo(cairo_t* cr, const Rect& rect) {
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
}

double textWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

// Writes text from x on the line that centres the font's height in rect.
void writeText(cairo_t* cr, const std::string& text, double x, const Rect& rect, Colour colour) {
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    setColour(cr, colour);
    cairo_move_to(cr, x, rect.y + (rect.height + font.ascent - font.descent) / 2);
    cairo_show_text(cr, text.c_str());
}

void writeCentred(cairo_t* cr, const std::string& text, const Rect& rect, Colour colour) {
    writeText(cr, text, rect.x + (rect.width - textWidth(cr, text)) / 2, rect, colour);
}

constexpr int padding = 6;

void paintButton(cairo_t* cr, const Element& element) {
    const Rect& r = element.rect;
    fill(cr, r, element.focused ? focusFill : buttonFill);
    outline(cr, r, border, 1);
    Rect textArea = r;
    if (element.shortcut != render::Shortcut::none) {
        // The shortcut's coloured mark, at the left, as on the remote's key.
        const double radius = std::clamp(r.height / 2.0 - 4, 2.0, 9.0);
        setColour(cr, shortcutColour(element.shortcut));
        cairo_arc(cr, r.x + padding + radius, r.y + r.height / 2.0, radius, 0, 6.283185307);
        cairo_fill(cr);
        const int markWidth = padding + static_cast<int>(2 * radius);
        textArea.x += markWidth;
        textArea.width -= markWidth;
    }
    writeCentred(cr, element.text, textArea, ink);
}

void paintFieldFrame(cairo_t* cr, const Element& element) {
    const Rect& r = element.rect;
    if (element.focused)
        outline(cr, r, focusFill, 3);
    else
        outline(cr, r, border, 1);
}

void paintComboBox(cairo_t* cr, const Element& element) {
    const Rect& r = element.rect;
    fill(cr, r, paper);
    paintFieldFrame(cr, element);
    // The drop-down arrow at the right.
    const double size = std::clamp(r.height / 3.0, 3.0, 10.0);
    const double right = r.x + r.width - padding - size;
    const double middle = r.y + r.height / 2.0;
    setColour(cr, border);
    cairo_move_to(cr, right - size, middle - size / 2);
    cairo_line_to(cr, right + size, middle - size / 2);
    cairo_line_to(cr, right, middle + size / 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_save(cr);
    clipTo(cr, Rect{r.x, r.y, std::max(0, static_cast<int>(right - size) - r.x - 2), r.height});
    writeText(cr, element.text, r.x + padding, r, ink);
    cairo_restore(cr);
}

void paintInputField(cairo_t* cr, const Element& element) {
    const Rect& r = element.rect;
    fill(cr, r, paper);
    paintFieldFrame(cr, element);
    cairo_save(cr);
    clipTo(cr, Rect{r.x + 2, r.y, std::max(0, r.width - 4), r.height});
    // The cursor follows the text; a text wider than the field shows its end.
    const double width = textWidth(cr, element.text);
    const double x = std::min<double>(r.x + padding, r.x + r.width - padding - 2 - width);
    writeText(cr, element.text, x, r, ink);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    const double height = std::min<double>(font.ascent + font.descent, r.height - 6);
    fill(cr,
         Rect{static_cast<int>(x + width) + 1, static_cast<int>(r.y + (r.height - height) / 2), 2,
              static_cast<int>(height)},
         element.focused ? ink : cursorInk);
    cairo_restore(cr);
}

void paintListBox(cairo_t* cr, const Element& element) {
    const Rect& r = element.rect;
    fill(cr, r, paper);
    const auto& entries = *element.entries;
    const render::Rows rows =
        render::visibleRows(entries.size(), element.marked, render::rowCapacity(element));
    cairo_save(cr);
    clipTo(cr, r);
    for (std::size_t i = 0; i < rows.count; ++i) {
        const std::size_t index = rows.first + i;
        const Rect row{r.x, r.y + static_cast<int>(i) * element.rowHeight, r.width,
                       element.rowHeight};
        const bool marked = index == element.marked;
        if (marked)
            fill(cr, row, element.focused ? currentFill : currentUnfocusedFill);
        writeText(cr, render::rowText(element, index), row.x + padding, row,
                  marked && element.focused ? paper : ink);
    }
    cairo_restore(cr);
    // The frame goes over the rows, which fill the list's height exactly.
    paintFieldFrame(cr, element);
}

// A title bar; a message box's has its icon, "!" for an error and "i" for information, before
// the caption.
void paintTitleBar(cairo_t* cr, const Element& element) {
    const Rect& r = element.rect;
    fill(cr, r, toneFill(element.tone));
    int textLeft = r.x + 10;
    if (element.tone != render::Tone::window) {
        const double radius = r.height / 2.0 - 5;
        const double cx = textLeft + radius, cy = r.y + r.height / 2.0;
        setColour(cr, paper);
        cairo_arc(cr, cx, cy, radius, 0, 6.283185307);
        cairo_fill(cr);
        const Rect icon{static_cast<int>(cx - radius), r.y, static_cast<int>(2 * radius), r.height};
        writeCentred(cr, element.tone == render::Tone::error ? "!" : "i", icon,
                     toneFill(element.tone));
        textLeft = icon.x + icon.width + 8;
    }
    writeText(cr, element.text, textLeft, r, paper);
}

} // namespace

struct CairoPainter::Fonts {
    FT_Library library = nullptr;
    cairo_font_face_t* regular = nullptr;
    cairo_font_face_t* bold = nullptr;
    FT_Face regularFace = nullptr;
    FT_Face boldFace = nullptr;

    ~Fonts() {
        if (regular)
            cairo_font_face_destroy(regular);
        if (bold)
            cairo_font_face_destroy(bold);
        // Cairo caches scaled fonts that refer to the faces: empty its caches before the
        // faces go.
        cairo_debug_reset_static_data();
        if (regularFace)
            FT_Done_Face(regularFace);
        if (boldFace)
            FT_Done_Face(boldFace);
        if (library)
            FT_Done_FreeType(library);
    }
};

std::unique_ptr<CairoPainter> CairoPainter::create(std::string& error) {
    auto fonts = std::make_unique<Fonts>();
    if (FT_Init_FreeType(&fonts->library) != 0) {
        error = "cannot start FreeType";
        return nullptr;
    }
    for (auto [file, face, cairoFace] :
         {std::tuple{regularFontFile, &fonts->regularFace, &fonts->regular},
          std::tuple{boldFontFile, &fonts->boldFace, &fonts->bold}}) {
        if (FT_New_Face(fonts->library, file, 0, face) != 0) {
            error = std::string("cannot load the font ") + file;
            return nullptr;
        }
        *cairoFace = cairo_ft_font_face_create_for_ft_face(*face, 0);
        if (cairo_font_face_status(*cairoFace) != CAIRO_STATUS_SUCCESS) {
            error = std::string("cannot use the font ") + file;
            return nullptr;
        }
    }
    return std::unique_ptr<CairoPainter>(new CairoPainter(std::move(fonts)));
}

CairoPainter::CairoPainter(std::unique_ptr<Fonts> fonts) : fonts(std::move(fonts)) {}

CairoPainter::~CairoPainter() = default;

void CairoPainter::paint(cairo_t* cr, const render::Screen& screen) const {
    cairo_save(cr);
    // Grey antialiasing without hinting: glyph shapes do not depend on the FreeType build.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);

    fill(cr, Rect{0, 0, render::Screen::width, render::Screen::height}, background);
    for (const Element& element : screen.elements) {
        cairo_save(cr);
        clipTo(cr, element.clip);
        const bool title = element.kind == Element::Kind::titleBar;
        cairo_set_font_face(cr, title ? fonts->bold : fonts->regular);
        cairo_set_font_size(cr, title ? 18 : std::max(1, screen.fontSize));
        const Rect& r = element.rect;
        switch (element.kind) {
        case Element::Kind::frame:
            fill(cr, r, windowFill);
            outline(cr, r, border, 1);
            break;
        case Element::Kind::titleBar:
            paintTitleBar(cr, element);
            break;
        case Element::Kind::label:
            // Labels keep a faint box of their own, so where one overlaps a neighbour shows.
            fill(cr, r, labelFill);
            writeText(cr, element.text, r.x + padding, r, ink);
            break;
        case Element::Kind::button:
            paintButton(cr, element);
            break;
        case Element::Kind::comboBox:
            paintComboBox(cr, element);
            break;
        case Element::Kind::inputField:
            paintInputField(cr, element);
            break;
        case Element::Kind::listBox:
            paintListBox(cr, element);
            break;
        case Element::Kind::message:
            writeCentred(cr, element.text, r, ink);
            break;
        }
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

namespace {

struct PngSink {
    int fd;
    int error = 0;
};

cairo_status_t writeToFd(void* closure, const unsigned char* data, unsigned int length) {
    auto* sink = static_cast<PngSink*>(closure);
    while (length > 0) {
        const ssize_t written = write(sink->fd, data, length);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            sink->error = errno;
            return CAIRO_STATUS_WRITE_ERROR;
        }
        data += written;
        length -= static_cast<unsigned int>(written);
    }
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

bool CairoPainter::writePng(const render::Screen& screen, int fd, std::string& error) const {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, render::Screen::width,
                                                          render::Screen::height);
    cairo_t* cr = cairo_create(surface);
    paint(cr, screen);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    PngSink sink{fd};
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_write_to_png_stream(surface, writeToFd, &sink);
    cairo_surface_destroy(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        return true;
    error = sink.error ? std::strerror(sink.error) : cairo_status_to_string(status);
    return false;
}

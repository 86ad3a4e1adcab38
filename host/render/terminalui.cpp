#include "terminalui.h"

#include <curses.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iostream>
#include <vector>

#include "screenmodel.h"

using render::Element;
using render::Rect;

namespace {

// The one terminal screen; the exit and signal handlers restore it.
SCREEN* terminal = nullptr;
std::FILE* terminalFile = nullptr;

void restoreTerminal() {
    if (!terminal)
        return;
    endwin();
    delscreen(terminal);
    terminal = nullptr;
    std::fclose(terminalFile);
    terminalFile = nullptr;
}

extern "C" void restoreAtExit() {
    restoreTerminal();
}

// Not every ncurses call is async-signal-safe, but the process ends right after, and a
// terminal left in its drawing mode would be worse.
extern "C" void restoreOnSignal(int signal) {
    if (terminal)
        endwin();
    std::raise(signal); // the handler was reset to the default action on entry
}

bool handleSignals() {
    struct sigaction action {};
    action.sa_handler = restoreOnSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGQUIT, SIGHUP})
        if (sigaction(signal, &action, nullptr) != 0)
            return false;
    return true;
}

constexpr int control(char letter) {
    return letter & 0x1f;
}

enum Pair : short {
    windowPair = 1,
    titlePair,
    infoTitlePair,
    errorTitlePair,
    fieldPair,
    buttonPair,
    focusPair,
    currentPair,
    redPair,
    greenPair,
    yellowPair,
    bluePair,
};

struct Style {
    attr_t attributes;
    short pair;
};

bool colours = false;

// A colour pair, or the attributes standing in for it on a terminal without colours.
Style style(Pair pair, attr_t monochrome) {
    return colours ? Style{A_NORMAL, pair} : Style{monochrome, 0};
}

Style titleStyle(render::Tone tone) {
    switch (tone) {
    case render::Tone::info:
        return style(infoTitlePair, A_REVERSE);
    case render::Tone::error:
        return style(errorTitlePair, A_REVERSE | A_BOLD);
    default:
        return style(titlePair, A_REVERSE);
    }
}

void definePairs() {
    colours = has_colors() && start_color() == OK;
    if (!colours)
        return;
    init_pair(windowPair, COLOR_BLACK, COLOR_WHITE);
    init_pair(titlePair, COLOR_WHITE, COLOR_BLUE);
    init_pair(infoTitlePair, COLOR_WHITE, COLOR_GREEN);
    init_pair(errorTitlePair, COLOR_WHITE, COLOR_RED);
    init_pair(fieldPair, COLOR_WHITE, COLOR_BLACK);
    init_pair(buttonPair, COLOR_BLACK, COLOR_CYAN);
    init_pair(focusPair, COLOR_BLACK, COLOR_YELLOW);
    init_pair(currentPair, COLOR_BLACK, COLOR_CYAN);
    init_pair(redPair, COLOR_WHITE, COLOR_RED);
    init_pair(greenPair, COLOR_WHITE, COLOR_GREEN);
    init_pair(yellowPair, COLOR_BLACK, COLOR_YELLOW);
    init_pair(bluePair, COLOR_WHITE, COLOR_BLUE);
}

// A block of cells: columns left to right and lines top to bottom, both ends excluded.
struct Cells {
    int left, top, right, bottom;
};

// Scales the 720x576 screen onto the terminal's cells.
class Scale {
  public:
    Scale(int columns, int lines) : columns(columns), lines(lines) {}

    Cells cells(const Rect& rect) const {
        Cells cells{column(rect.x), line(rect.y), column(rect.x + rect.width),
                    line(rect.y + rect.height)};
        cells.right = std::max(cells.right, std::min(cells.left + 1, columns));
        cells.bottom = std::max(cells.bottom, std::min(cells.top + 1, lines));
        return cells;
    }
    // The line a one-line text of rect goes on: the one its middle falls on.
    int textLine(const Rect& rect) const {
        const Cells block = cells(rect);
        return std::clamp(line(rect.y + rect.height / 2), block.top, block.bottom - 1);
    }

  private:
    int column(int x) const { return std::clamp(x * columns / render::Screen::width, 0, columns); }
    int line(int y) const { return std::clamp(y * lines / render::Screen::height, 0, lines); }
    int columns, lines;
};

Cells intersect(const Cells& a, const Cells& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// A text as characters the terminal can show, each with its width in cells.
struct Glyph {
    wchar_t character;
    int width;
};

std::vector<Glyph> glyphs(const std::string& text) {
    std::vector<Glyph> out;
    std::mbstate_t state{};
    for (std::size_t pos = 0; pos < text.size();) {
        wchar_t character = L'?';
        const std::size_t length =
            std::mbrtowc(&character, text.data() + pos, text.size() - pos, &state);
        if (length == 0 || length > text.size() - pos) {
            // Not a character in this locale: one byte shown as a question mark.
            state = std::mbstate_t{};
            character = L'?';
            ++pos;
        } else {
            pos += length;
        }
        const int width = wcwidth(character);
        out.push_back(width > 0 ? Glyph{character, width} : Glyph{L'?', 1});
    }
    return out;
}

int widthOf(const std::vector<Glyph>& text) {
    int width = 0;
    for (const Glyph& glyph : text)
        width += glyph.width;
    return width;
}

class Painter {
  public:
    explicit Painter(Scale scale) : scale(scale) {}

    void paint(const Element& element) {
        clip = scale.cells(element.clip);
        const Cells block = scale.cells(element.rect);
        const int line = scale.textLine(element.rect);
        switch (element.kind) {
        case Element::Kind::frame:
            fill(block, style(windowPair, A_NORMAL));
            break;
        case Element::Kind::titleBar:
            fill(block, titleStyle(element.tone));
            // A message box's icon before its caption: "!" for an error, "i" for information.
            put(line, block.left + 1, block.right,
                glyphs(element.tone == render::Tone::error  ? "! " + element.text
                       : element.tone == render::Tone::info ? "i " + element.text
                                                            : element.text),
                titleStyle(element.tone));
            break;
        case Element::Kind::label:
            put(line, block.left, block.right, glyphs(element.text), style(windowPair, A_NORMAL));
            break;
        case Element::Kind::button:
            paintButton(element, block, line);
            break;
        case Element::Kind::comboBox: {
            const Style look = fieldStyle(element);
            fill(block, look);
            put(line, block.left + 1, block.right - 2, glyphs(element.text), look);
            put(line, block.right - 1, block.right, glyphs("v"), look);
            break;
        }
        case Element::Kind::inputField:
            paintInputField(element, block, line);
            break;
        case Element::Kind::listBox:
            paintListBox(element, block);
            break;
        case Element::Kind::message: {
            const std::vector<Glyph> text = glyphs(element.text);
            put(line, block.left + std::max(0, (block.right - block.left - widthOf(text)) / 2),
                block.right, text, style(windowPair, A_NORMAL));
            break;
        }
        }
    }

  private:
    static Style fieldStyle(const Element& element) {
        return element.focused ? style(focusPair, A_REVERSE) : style(fieldPair, A_NORMAL);
    }

    void paintButton(const Element& element, const Cells& block, int line) {
        const Style look =
            element.focused ? style(focusPair, A_REVERSE) : style(buttonPair, A_UNDERLINE);
        fill(block, look);
        int left = block.left;
        if (element.shortcut != render::Shortcut::none) {
            // The colour mark: two cells of the key's colour, or its initial without colours.
            static constexpr struct {
                Pair pair;
                const char* initial;
            } marks[] = {{redPair, "R "}, {greenPair, "G "}, {yellowPair, "Y "}, {bluePair, "B "}};
            const auto& mark = marks[static_cast<int>(element.shortcut) - 1];
            put(line, left + 1, left + 3, glyphs(colours ? "  " : mark.initial),
                style(mark.pair, A_BOLD));
            left += 3;
        }
        const std::vector<Glyph> text = glyphs(element.text);
        put(line, left + std::max(0, (block.right - left - widthOf(text)) / 2), block.right, text,
            look);
    }

    void paintInputField(const Element& element, const Cells& block, int line) {
        const Style look = fieldStyle(element);
        fill(block, look);
        // The end of the text and the cursor after it, as much as fits.
        std::vector<Glyph> text = glyphs(element.text);
        const int room = block.right - block.left - 2;
        std::size_t start = 0;
        for (int width = widthOf(text); width > room && start < text.size(); ++start)
            width -= text[start].width;
        text.erase(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(start));
        const int end = block.left + 1 + widthOf(text);
        put(line, block.left + 1, block.right, text, look);
        put(line, end, end + 1, glyphs(" "), Style{look.attributes ^ A_REVERSE, look.pair});
    }

    void paintListBox(const Element& element, const Cells& block) {
        const Style look = style(fieldPair, A_NORMAL);
        fill(block, look);
        const std::size_t lines = static_cast<std::size_t>(block.bottom - block.top);
        const render::Rows rows = render::visibleRows(
            element.entries->size(), element.marked, std::min(render::rowCapacity(element), lines));
        for (std::size_t i = 0; i < rows.count; ++i) {
            const std::size_t index = rows.first + i;
            const int line = block.top + static_cast<int>(i);
            Style row = look;
            if (index == element.marked)
                row = element.focused ? style(currentPair, A_REVERSE) : style(windowPair, A_BOLD);
            fill(Cells{block.left, line, block.right, line + 1}, row);
            put(line, block.left + 1, block.right - 1, glyphs(render::rowText(element, index)),
                row);
        }
    }

    void fill(const Cells& block, Style look) {
        const Cells area = intersect(block, clip);
        cchar_t blank;
        setcchar(&blank, L" ", look.attributes, look.pair, nullptr);
        for (int line = area.top; line < area.bottom; ++line)
            if (area.right > area.left)
                mvhline_set(line, area.left, &blank, area.right - area.left);
    }

    void put(int line, int left, int right, const std::vector<Glyph>& text, Style look) {
        const Cells area = intersect(Cells{left, line, right, line + 1}, clip);
        if (area.top >= area.bottom)
            return;
        int column = left;
        for (const Glyph& glyph : text) {
            if (column + glyph.width > area.right)
                break;
            if (column >= area.left) {
                const wchar_t one[2] = {glyph.character, L'\0'};
                cchar_t cell;
                setcchar(&cell, one, look.attributes, look.pair, nullptr);
                mvadd_wch(line, column, &cell);
            }
            column += glyph.width;
        }
    }

    Scale scale;
    Cells clip{};
};

} // namespace

std::unique_ptr<TerminalUi> TerminalUi::open(const std::string& logPath, std::string& error) {
    const char* device = ttyname(STDIN_FILENO);
    if (!device) {
        error = std::string("cannot name the terminal: ") + std::strerror(errno);
        return nullptr;
    }
    const int tty = ::open(device, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0) {
        error = std::string("cannot open ") + device + ": " + std::strerror(errno);
        return nullptr;
    }
    const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log < 0) {
        error = "cannot write " + logPath + ": " + std::strerror(errno);
        ::close(tty);
        return nullptr;
    }
    return std::unique_ptr<TerminalUi>(new TerminalUi(tty, log));
}

bool TerminalUi::start(std::string& error) {
    // Wide characters in the user's own encoding; nothing else of the locale is taken.
    std::setlocale(LC_CTYPE, "");
    terminalFile = fdopen(tty, "r+");
    if (!terminalFile) {
        error = std::string("cannot use the terminal: ") + std::strerror(errno);
        return false;
    }
    tty = -1; // the stream owns it now
    terminal = newterm(nullptr, terminalFile, terminalFile);
    if (!terminal) {
        error = "cannot draw on this terminal (is TERM set?)";
        std::fclose(terminalFile);
        terminalFile = nullptr;
        return false;
    }
    if (std::atexit(restoreAtExit) != 0 || !handleSignals()) {
        restoreTerminal();
        error = "cannot arrange to restore the terminal";
        return false;
    }
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    meta(stdscr, TRUE);
    set_escdelay(25);
    curs_set(0);
    definePairs();

    std::cout.flush();
    std::cerr.flush();
    const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (null < 0 || dup2(null, STDIN_FILENO) < 0 || dup2(log, STDOUT_FILENO) < 0 ||
        dup2(log, STDERR_FILENO) < 0) {
        const int problem = errno;
        if (null >= 0)
            ::close(null);
        restoreTerminal();
        error =
            std::string("cannot point the standard streams to the log: ") + std::strerror(problem);
        return false;
    }
    ::close(null);
    return true;
}

TerminalUi::~TerminalUi() {
    restoreTerminal();
    if (tty >= 0)
        ::close(tty);
    ::close(log);
}

void TerminalUi::draw() {
    erase();
    if (COLS < minColumns || LINES < minLines) {
        mvprintw(LINES / 2, 0, "The terminal is too small: %dx%d, at least %dx%d are needed.", COLS,
                 LINES, minColumns, minLines);
    } else {
        Painter painter(Scale(COLS, LINES));
        for (const Element& element : render::currentScreen().elements)
            painter.paint(element);
    }
    refresh();
}

std::optional<eRCKey> TerminalUi::next() {
    for (;;) {
        errno = 0;
        const int key = getch();
        switch (key) {
        case ERR:
            if (errno == EINTR)
                continue;
            return std::nullopt; // the terminal is gone
        case KEY_RESIZE:
            draw();
            continue;
        case KEY_UP:
            return eRCKey{eKeyCode::up, {}};
        case KEY_DOWN:
            return eRCKey{eKeyCode::down, {}};
        case KEY_LEFT:
            return eRCKey{eKeyCode::left, {}};
        case KEY_RIGHT:
            return eRCKey{eKeyCode::right, {}};
        case '\r':
        case '\n':
        case KEY_ENTER:
            return eRCKey{eKeyCode::ok, {}};
        case 27: // Escape
            return eRCKey{eKeyCode::exit, {}};
        case KEY_F(1):
        case control('R'):
            return eRCKey{eKeyCode::red, {}};
        case KEY_F(2):
        case control('G'):
            return eRCKey{eKeyCode::green, {}};
        case KEY_F(3):
        case control('Y'):
            return eRCKey{eKeyCode::yellow, {}};
        case KEY_F(4):
        case control('B'):
            return eRCKey{eKeyCode::blue, {}};
        case KEY_BACKSPACE:
        case 127:
        case control('H'):
            return eRCKey{eKeyCode::backspace, {}};
        default:
            // Printable characters, and the bytes of UTF-8 sequences, one at a time.
            if (key >= 0x20 && key <= 0xff)
                return eRCKey{eKeyCode::text, std::string(1, static_cast<char>(key))};
            continue;
        }
    }
}

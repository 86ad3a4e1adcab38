#pragma once
// What the screen shows, in screen pixels: the shown windows and their widgets, bottom to top,
// in the positions and sizes the plug-in gave them. The PNG and the terminal painters both
// draw this model, so they show the same things.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class eListBoxEntry;

namespace render {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

enum class Shortcut { none, red, green, yellow, blue };
// A window's or message box's look: message boxes tell information and errors apart.
enum class Tone { window, info, error };

struct Element {
    enum class Kind { frame, titleBar, label, button, comboBox, inputField, listBox, message };
    Kind kind = Kind::frame;
    Rect rect;        // on the screen
    Rect clip;        // its window's area: nothing of the element is drawn outside it
    std::string text; // in visible form (see visibleText); an input field's last characters
    bool focused = false;
    Shortcut shortcut = Shortcut::none;
    Tone tone = Tone::window;
    // A list box's rows: the list's own entries, the marked (current) one, the row height.
    const std::vector<eListBoxEntry*>* entries = nullptr;
    std::size_t marked = 0; // entries->size() when no row is marked
    int rowHeight = 1;
};

struct Screen {
    static constexpr int width = 720;
    static constexpr int height = 576;
    int fontSize = 20;
    std::vector<Element> elements; // in drawing order
};

// The screen as the toolkit's shown windows make it now.
Screen currentScreen();

// The rows of a list that are drawn when capacity rows fit: from first, count of them, the
// marked row among them whenever there is one.
struct Rows {
    std::size_t first;
    std::size_t count;
};
Rows visibleRows(std::size_t entries, std::size_t marked, std::size_t capacity);
// How many rows of a list element fit in its height, at least one.
std::size_t rowCapacity(const Element& list);
// The visible form of a list element's entry at index, no longer than the list is wide.
std::string rowText(const Element& list, std::size_t index);

// Text as a painter shows it: valid UTF-8 as it is; line ends, tabs, other control characters
// and bytes that are not UTF-8 as \n, \r, \t and \xNN. At most limit characters are made, so
// a long text costs no more than what fits.
std::string visibleText(std::string_view text, std::size_t limit);

} // namespace render

#include "screenmodel.h"

#include <algorithm>
#include <cstdio>

#include "desktop.h"
#include "dropdown.h"
#include "ebutton.h"
#include "ecombobox.h"
#include "elistbox.h"
#include "emessage.h"
#include "eskin.h"
#include "ewindow.h"
#include "textinput.h"

namespace render {

namespace {

// No glyph is narrower than a pixel, so a widget never shows more characters than its width.
std::size_t limitFor(const Rect& rect) {
    return static_cast<std::size_t>(std::max(rect.width, 1));
}

Shortcut shortcutNamed(const std::string& name) {
    if (name == "red")
        return Shortcut::red;
    if (name == "green")
        return Shortcut::green;
    if (name == "yellow")
        return Shortcut::yellow;
    if (name == "blue")
        return Shortcut::blue;
    return Shortcut::none;
}

// The last count characters of a UTF-8 text.
std::string lastCharacters(const std::string& text, int count) {
    std::size_t start = text.size();
    for (int seen = 0; start > 0 && seen < count;) {
        --start;
        if ((static_cast<unsigned char>(text[start]) & 0xc0) != 0x80)
            ++seen;
    }
    return text.substr(start);
}

Element listElement(const eListBoxBase& list, std::size_t marked, const Rect& rect,
                    const Rect& clip) {
    Element element;
    element.kind = Element::Kind::listBox;
    element.rect = rect;
    element.clip = clip;
    element.entries = &list.getEntries();
    element.marked = marked;
    element.rowHeight = std::max(1, list.getEntryHeight());
    return element;
}

void addWidget(Screen& screen, const eWidget& widget, const Rect& clip) {
    const ePoint at = widget.getAbsolutePosition();
    const Rect rect{at.x, at.y, widget.getSize().width, widget.getSize().height};
    Element element;
    element.rect = rect;
    element.clip = clip;
    bool drawn = true;
    if (const auto* list = dynamic_cast<const eListBoxBase*>(&widget)) {
        element = listElement(*list, list->currentIndex(), rect, clip);
    } else if (const auto* combo = dynamic_cast<const eComboBox*>(&widget)) {
        element.kind = Element::Kind::comboBox;
        if (const eListBoxEntryText* current = combo->getCurrent())
            element.text = visibleText(current->getText(), limitFor(rect));
    } else if (const auto* input = dynamic_cast<const eTextInputField*>(&widget)) {
        element.kind = Element::Kind::inputField;
        element.text = lastCharacters(visibleText(input->getText(), input->getText().size()),
                                      std::max(1, input->getVisibleChars()));
    } else if (const auto* button = dynamic_cast<const eButton*>(&widget)) {
        element.kind = Element::Kind::button;
        element.text = visibleText(button->getText(), limitFor(rect));
        element.shortcut = shortcutNamed(button->getShortcutPixmap());
    } else if (dynamic_cast<const eLabel*>(&widget)) {
        element.kind = Element::Kind::label;
        element.text = visibleText(widget.getText(), limitFor(rect));
    } else {
        drawn = false;
    }
    if (drawn) {
        element.focused = widget.getParent() && widget.getParent()->getFocus() == &widget;
        screen.elements.push_back(std::move(element));
    }
    for (const eWidget* child : widget.getChildren())
        addWidget(screen, *child, clip);
}

void addWindow(Screen& screen, const eWidget& window) {
    const Rect client{window.getPosition().x, window.getPosition().y, window.getSize().width,
                      window.getSize().height};
    if (const auto dropDown = dropDownView(window)) {
        Element list = listElement(*dropDown->list, dropDown->cursor, client, client);
        list.focused = true;
        screen.elements.push_back(std::move(list));
        return;
    }
    const auto* box = dynamic_cast<const eMessageBox*>(&window);
    const Tone tone =
        !box ? Tone::window : (box->getFlags() & eMessageBox::iconError ? Tone::error : Tone::info);

    Element frame;
    frame.kind = Element::Kind::frame;
    frame.rect = client;
    frame.clip = client;
    frame.tone = tone;
    screen.elements.push_back(frame);

    Element title = frame;
    title.kind = Element::Kind::titleBar;
    title.rect =
        Rect{client.x, client.y - eWindow::titleBarHeight, client.width, eWindow::titleBarHeight};
    title.clip = title.rect;
    title.text = visibleText(window.getText(), limitFor(title.rect));
    screen.elements.push_back(std::move(title));

    if (box) {
        // A box with an OK button shows it below the message, focused, as its only choice.
        const bool hasButton = box->getFlags() & eMessageBox::btOK;
        const int buttonArea = hasButton ? 50 : 0;
        Element message = frame;
        message.kind = Element::Kind::message;
        message.rect.height = std::max(0, client.height - buttonArea);
        message.text = visibleText(box->getMessage(), limitFor(client));
        screen.elements.push_back(std::move(message));
        if (hasButton) {
            Element ok;
            ok.kind = Element::Kind::button;
            ok.rect =
                Rect{client.x + client.width / 2 - 50, client.y + client.height - 40, 100, 30};
            ok.clip = client;
            ok.text = "OK";
            ok.focused = true;
            screen.elements.push_back(std::move(ok));
        }
    }
    for (const eWidget* child : window.getChildren())
        addWidget(screen, *child, client);
}

// The length of the UTF-8 sequence at text[pos], or 0 when it is not a valid one (overlong
// forms, surrogates and code points past U+10FFFF included).
std::size_t utf8Length(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (pos + length > text.size() || byte(pos + 1) < low || byte(pos + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(pos + i) & 0xc0) != 0x80)
            return 0;
    return length;
}

} // namespace

Screen currentScreen() {
    Screen screen;
    screen.fontSize = eSkin::getActive()->valueOr("fontsize", 20);
    for (const eWidget* window : Desktop::instance().shownWindows())
        addWindow(screen, *window);
    return screen;
}

Rows visibleRows(std::size_t entries, std::size_t marked, std::size_t capacity) {
    if (entries <= capacity)
        return {0, entries};
    // The marked row is kept in view by scrolling just far enough to make it the last one.
    const std::size_t first = marked < capacity || marked >= entries ? 0 : marked - capacity + 1;
    return {first, capacity};
}

std::size_t rowCapacity(const Element& list) {
    return static_cast<std::size_t>(std::max(1, list.rect.height / std::max(1, list.rowHeight)));
}

std::string rowText(const Element& list, std::size_t index) {
    return visibleText((*list.entries)[index]->getText(), limitFor(list.rect));
}

std::string visibleText(std::string_view text, std::size_t limit) {
    std::string out;
    std::size_t shown = 0;
    for (std::size_t pos = 0; pos < text.size() && shown < limit; ++shown) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte >= 0x20 && byte < 0x7f) {
            out += text[pos++];
        } else if (const std::size_t length = byte >= 0x80 ? utf8Length(text, pos) : 0) {
            out.append(text, pos, length);
            pos += length;
        } else {
            if (byte == '\n') {
                out += "\\n";
            } else if (byte == '\r') {
                out += "\\r";
            } else if (byte == '\t') {
                out += "\\t";
            } else {
                char escape[5];
                std::snprintf(escape, sizeof escape, "\\x%02x", byte);
                out += escape;
            }
            ++pos;
        }
    }
    return out;
}

} // namespace render

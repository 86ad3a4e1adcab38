// The screen model the painters share: which rows of a list are drawn, how texts are shown,
// and what the painters read of a long list.

#include <gtest/gtest.h>

#include <cairo.h>

#include <set>
#include <string>
#include <tuple>

#include "cairopainter.h"
#include "elistbox.h"
#include "emessage.h"
#include "ewindow.h"
#include "screenmodel.h"
#include "textinput.h"

using render::Element;

namespace {

// An entry that notes the index of every entry whose text is read.
class WatchedEntry : public eListBoxEntry {
  public:
    WatchedEntry(eListBoxBase* list, std::size_t index, std::set<std::size_t>& read)
        : eListBoxEntry(list), index(index), read(read) {}
    const eString& getText() const override {
        read.insert(index);
        return text;
    }
    void* getKey() const override { return nullptr; }

  private:
    std::size_t index;
    std::set<std::size_t>& read;
    eString text = "row";
};

const Element& only(const render::Screen& screen, Element::Kind kind) {
    const Element* found = nullptr;
    for (const Element& element : screen.elements)
        if (element.kind == kind) {
            EXPECT_EQ(found, nullptr) << "more than one element of that kind";
            found = &element;
        }
    EXPECT_NE(found, nullptr);
    return *found;
}

} // namespace

TEST(VisibleRows, KeepTheMarkedRowInViewAndFillTheList) {
    const std::size_t none = 1000;
    // entries, marked, capacity -> first, count
    const std::tuple<std::size_t, std::size_t, std::size_t, std::size_t, std::size_t> cases[] = {
        {0, 0, 15, 0, 0},      {3, 1, 15, 0, 3},
        {15, 14, 15, 0, 15},   {40, 14, 15, 0, 15},
        {40, 15, 15, 1, 15},   {40, 39, 15, 25, 15},
        {40, none, 15, 0, 15}, {1000000, 999999, 15, 999985, 15},
    };
    for (const auto& [entries, marked, capacity, first, count] : cases) {
        const render::Rows rows =
            render::visibleRows(entries, marked == none ? entries : marked, capacity);
        EXPECT_EQ(rows.first, first) << entries << ' ' << marked;
        EXPECT_EQ(rows.count, count) << entries << ' ' << marked;
    }
}

TEST(VisibleText, ShowsControlCharactersAndBrokenUtf8Compactly) {
    const std::pair<std::string, std::string> cases[] = {
        {"ls -l /", "ls -l /"},
        {"a\nb\r\n\t", "a\\nb\\r\\n\\t"},
        {std::string("\0\x1b\x7f", 3), "\\x00\\x1b\\x7f"},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xba", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xba"},
        {"\xc3", "\\xc3"},                            // cut short
        {"\xc0\xaf", "\\xc0\\xaf"},                   // overlong
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"},          // surrogate
        {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"}, // past U+10FFFF
        {"back\\slash", "back\\slash"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(render::visibleText(text, 100), shown) << text;
    EXPECT_EQ(render::visibleText("abc\ndef", 4), "abc\\n");
    EXPECT_EQ(render::visibleText(std::string(1000000, 'x'), 7), "xxxxxxx");
}

TEST(ScreenModel, MessageBoxesAreToldApartByTheirErrorFlag) {
    for (const auto& [flags, tone, buttons] :
         {std::tuple{129, render::Tone::error, 1}, std::tuple{1, render::Tone::info, 1},
          std::tuple{0, render::Tone::info, 0}}) {
        eMessageBox box("Command not found", "Error", flags, 1, 0);
        box.show();
        const render::Screen screen = render::currentScreen();
        EXPECT_EQ(only(screen, Element::Kind::titleBar).tone, tone) << flags;
        EXPECT_EQ(only(screen, Element::Kind::message).text, "Command not found");
        int shown = 0;
        for (const Element& element : screen.elements)
            shown += element.kind == Element::Kind::button;
        EXPECT_EQ(shown, buttons) << flags;
        const render::Rect frame = only(screen, Element::Kind::frame).rect;
        EXPECT_EQ(frame.x * 2 + frame.width, render::Screen::width);
        box.hide();
    }
}

TEST(ScreenModel, WidgetsKeepTheGeometryTheyWereGivenEvenWhereTheyOverlap) {
    eWindow window;
    window.cmove(ePoint(220, 150));
    window.cresize(eSize(300, 320));
    auto* label = new eLabel(&window);
    label->move(ePoint(110, 10));
    label->resize(eSize(100, 40));
    auto* input = new eTextInputField(&window);
    input->move(ePoint(10, 40));
    input->resize(eSize(280, 45));
    input->setVisibleChars(5);
    eRCKey typed{eKeyCode::text, "echo\tlong"};
    input->keyDown(typed);
    window.show();
    const render::Screen screen = render::currentScreen();
    const Element& shownLabel = only(screen, Element::Kind::label);
    const Element& field = only(screen, Element::Kind::inputField);
    EXPECT_EQ(shownLabel.rect.y + shownLabel.rect.height, 200);
    EXPECT_EQ(field.rect.y, 190);
    EXPECT_EQ(field.text, "tlong"); // the last five of "echo\\tlong"
    EXPECT_TRUE(field.focused);
    EXPECT_EQ(only(screen, Element::Kind::titleBar).rect.y, 150 - eWindow::titleBarHeight);
    window.hide();
}

TEST(ScreenModel, APictureOfALongListReadsOnlyTheRowsItShows) {
    std::string error;
    const auto painter = CairoPainter::create(error);
    ASSERT_TRUE(painter) << error;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, render::Screen::width,
                                                          render::Screen::height);
    cairo_t* cr = cairo_create(surface);
    for (std::size_t count : {10u, 1000000u}) {
        eWindow window;
        window.cresize(eSize(580, 450));
        auto* list = new eListBox<eListBoxEntryText>(&window, nullptr, 1, 26);
        list->resize(eSize(560, 390)); // 15 rows of 26
        std::set<std::size_t> read;
        for (std::size_t i = 0; i < count; ++i)
            new WatchedEntry(list, i, read);
        for (int step = 0; step < 20; ++step)
            list->moveCurrent(+1);
        window.show();
        const render::Screen screen = render::currentScreen();
        EXPECT_TRUE(read.empty()) << "the model itself reads no entry";
        painter->paint(cr, screen);
        std::set<std::size_t> shown;
        for (std::size_t i = count < 15 ? 0 : 5; i < std::min<std::size_t>(count, 20); ++i)
            shown.insert(i);
        EXPECT_EQ(read, shown) << count << " entries";
        window.hide();
    }
    EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

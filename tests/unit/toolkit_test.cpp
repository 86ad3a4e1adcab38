// The toolkit mechanics the plug-in relies on: modal loops, key routing, lists.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop.h"
#include "ebutton.h"
#include "ecombobox.h"
#include "emessage.h"
#include "ewindow.h"
#include "keysources.h"
#include "textinput.h"

namespace {

// A key script that the toolkit reads its keys from while the object lives.
class QueuedKeys : public ScriptedKeys {
  public:
    explicit QueuedKeys(std::vector<eRCKey> keys) : ScriptedKeys(std::move(keys)) {
        Desktop::instance().setKeySource(this);
    }
    ~QueuedKeys() override { Desktop::instance().setKeySource(nullptr); }
};

eRCKey press(eKeyCode code) {
    return {code, {}};
}
eRCKey typed(std::string text) {
    return {eKeyCode::text, std::move(text)};
}

class CountingEntry : public eListBoxEntryText {
  public:
    CountingEntry(eListBoxBase* list, const char* text, int& deleted)
        : eListBoxEntryText(list, text), deleted(deleted) {}
    ~CountingEntry() override { ++deleted; }

  private:
    int& deleted;
};

} // namespace

TEST(ModalLoop, NestedLoopsEachEndWithTheirOwnCode) {
    QueuedKeys keys(
        {press(eKeyCode::red), press(eKeyCode::exit), press(eKeyCode::down), press(eKeyCode::ok)});
    eWindow outer;
    auto* open = new eButton(&outer);
    open->setShortcut("red");
    auto* done = new eButton(&outer);
    done->selected.connect([&] { outer.close(5); });
    std::vector<std::string> events;
    int innerCode = 0;
    open->selected.connect([&] {
        events.push_back("inner opens");
        eWindow inner;
        inner.show();
        innerCode = inner.exec();
        inner.hide();
        events.push_back("inner closed");
    });
    outer.show();
    const int outerCode = outer.exec();
    outer.hide();
    EXPECT_EQ(innerCode, -1); // exit went to the inner window only
    EXPECT_EQ(outerCode, 5);
    EXPECT_EQ(events, (std::vector<std::string>{"inner opens", "inner closed"}));
    EXPECT_EQ(keys.remaining(), 0u);
}

TEST(ModalLoop, CloseFromAHandlerTakesEffectWhenTheHandlerReturns) {
    QueuedKeys keys({press(eKeyCode::green), press(eKeyCode::green)});
    eWindow window;
    auto* button = new eButton(&window);
    button->setShortcut("green");
    bool ranPastClose = false;
    button->selected.connect([&] {
        window.close(0);
        ranPastClose = true;
    });
    window.show();
    EXPECT_EQ(window.exec(), 0);
    EXPECT_TRUE(ranPastClose);
    EXPECT_EQ(keys.remaining(), 1u); // the loop took no key after the close
}

TEST(KeyRouting, EachPressActivatesOnceAndOnlyTheMatchingButton) {
    struct Case {
        const char* name;
        std::vector<eRCKey> keys;
        int greenCount;
        int focusedCount;
    };
    const std::vector<Case> cases = {
        {"three green presses",
         {press(eKeyCode::green), press(eKeyCode::green), press(eKeyCode::green)},
         3,
         0},
        {"ok activates the focused button", {press(eKeyCode::ok)}, 0, 1},
        {"a colour without a button does nothing", {press(eKeyCode::red)}, 0, 0},
        {"down then ok reaches the green button",
         {press(eKeyCode::down), press(eKeyCode::ok)},
         1,
         0},
        {"focus wraps round",
         {press(eKeyCode::down), press(eKeyCode::down), press(eKeyCode::ok)},
         0,
         1},
        {"up wraps backwards", {press(eKeyCode::up), press(eKeyCode::ok)}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<eRCKey> script = c.keys;
        script.push_back(press(eKeyCode::exit));
        QueuedKeys keys(script);
        eWindow window;
        new eLabel(&window); // labels never take the focus
        auto* first = new eButton(&window);
        auto* green = new eButton(&window);
        green->setShortcut("green");
        int greenCount = 0, focusedCount = 0;
        green->selected.connect([&] { ++greenCount; });
        first->selected.connect([&] { ++focusedCount; });
        window.show();
        EXPECT_EQ(window.exec(), -1);
        EXPECT_EQ(greenCount, c.greenCount);
        EXPECT_EQ(focusedCount, c.focusedCount);
        EXPECT_EQ(keys.remaining(), 0u);
    }
}

TEST(KeyRouting, MessageBoxClosesOnOkAndOnExit) {
    for (eKeyCode closer : {eKeyCode::ok, eKeyCode::exit}) {
        QueuedKeys keys({press(eKeyCode::green), press(eKeyCode::down), press(closer)});
        eMessageBox box("text", "Info", 1, 1, 0);
        box.show();
        EXPECT_EQ(box.exec(), closer == eKeyCode::ok ? 0 : -1);
        EXPECT_EQ(keys.remaining(), 0u);
    }
}

TEST(InputField, TypingEditsOneLine) {
    QueuedKeys keys({typed("ab\ncd"), press(eKeyCode::backspace), typed("\xc3\xa9"),
                     press(eKeyCode::backspace), typed(std::string("9\0", 2)),
                     press(eKeyCode::exit)});
    eWindow window;
    auto* field = new eTextInputField(&window);
    field->setVisibleChars(2); // a display width, not a cap on the text
    window.show();
    window.exec();
    EXPECT_EQ(field->getText(), "abc9");
    field->setText("");
    EXPECT_TRUE(field->getText().empty());
}

TEST(ComboBox, DropDownPicksAnEntryAndExitCancels) {
    struct Case {
        const char* name;
        std::vector<eRCKey> keys;
        const char* current;
    };
    const std::vector<Case> cases = {
        {"ok down ok picks the second",
         {press(eKeyCode::ok), press(eKeyCode::down), press(eKeyCode::ok)},
         "two"},
        {"exit cancels the drop-down",
         {press(eKeyCode::ok), press(eKeyCode::down), press(eKeyCode::exit)},
         "one"},
        {"right steps forward", {press(eKeyCode::right), press(eKeyCode::right)}, "three"},
        {"left stops at the first", {press(eKeyCode::left)}, "one"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<eRCKey> script = c.keys;
        script.push_back(press(eKeyCode::exit));
        QueuedKeys keys(script);
        eWindow window;
        auto* combo = new eComboBox(&window);
        auto* first = new eListBoxEntryText(combo->getList(), "one");
        new eListBoxEntryText(combo->getList(), "two");
        new eListBoxEntryText(combo->getList(), "three");
        combo->setCurrent(first);
        window.show();
        EXPECT_EQ(window.exec(), -1); // the window's exit comes only after the drop-down's
        ASSERT_NE(combo->getCurrent(), nullptr);
        EXPECT_EQ(combo->getCurrent()->getText(), c.current);
        EXPECT_EQ(keys.remaining(), 0u);
    }
}

TEST(Lists, ClearListDeletesEveryEntryAndLeavesNoCurrent) {
    eWindow window;
    auto* combo = new eComboBox(&window);
    EXPECT_EQ(combo->getCurrent(), nullptr);
    int deleted = 0;
    auto* first = new CountingEntry(combo->getList(), "a", deleted);
    new CountingEntry(combo->getList(), "b", deleted);
    EXPECT_EQ(combo->getCurrent(), nullptr); // appending does not select
    combo->setCurrent(first);
    EXPECT_EQ(combo->getCurrent(), first);
    combo->getList()->clearList();
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(combo->getCurrent(), nullptr);
    new CountingEntry(combo->getList(), "c", deleted);
    EXPECT_EQ(combo->getList()->getEntries().size(), 1u);
}

TEST(Lists, WindowDeletesItsChildrenAndTheirEntries) {
    int deleted = 0;
    {
        eWindow window;
        auto* list = new eListBox<eListBoxEntryText>(&window);
        new CountingEntry(list, "a", deleted);
        new CountingEntry(list, "b", deleted);
    }
    EXPECT_EQ(deleted, 2);
}

TEST(Lists, EntriesKeepTheirTextsWhileManyComeAndGo) {
    // More entries than one slab of the entry pool holds, freed in an order other than
    // the one they came in.
    eWindow window;
    auto* first = new eListBox<eListBoxEntryText>(&window);
    auto* second = new eListBox<eListBoxEntryText>(&window);
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 3000; ++i) {
            new eListBoxEntryText(first, "first " + std::to_string(i));
            new eListBoxEntryText(second, "second " + std::to_string(i));
        }
        first->clearList();
        for (int i = 0; i < 1000; ++i)
            new eListBoxEntryText(first, "again " + std::to_string(i));
        const auto& kept = second->getEntries();
        ASSERT_EQ(kept.size(), 3000u);
        for (std::size_t i = 0; i < kept.size(); ++i)
            ASSERT_EQ(kept[i]->getText(), "second " + std::to_string(i));
        const auto& again = first->getEntries();
        for (std::size_t i = 0; i < again.size(); ++i)
            ASSERT_EQ(again[i]->getText(), "again " + std::to_string(i));
        first->clearList();
        second->clearList();
    }
}

#include "ecombobox.h"

#include <algorithm>
#include <ostream>

#include "calltrace.h"
#include "dropdown.h"
#include "entrydump.h"
#include "ewindow.h"

namespace {

// The opened list of a combo box: a modal window below it where up and down move a cursor,
// ok makes the entry under the cursor current and exit leaves the current entry as it was.
class DropDown : public eWindow {
  public:
    DropDown(eComboBox& combo, eListBoxBase& list)
        : eWindow(Untraced{}, 0), combo(combo), list(list) {
        const ePoint origin = combo.getAbsolutePosition();
        const auto& entries = list.getEntries();
        const auto found = std::find(entries.begin(), entries.end(), list.currentEntry());
        cursor = found == entries.end() ? 0 : static_cast<std::size_t>(found - entries.begin());
        const auto rows = std::clamp<std::size_t>(
            entries.size(), 1, static_cast<std::size_t>(std::max(1, combo.getOpenEntries())));
        position = ePoint(origin.x, origin.y + combo.getSize().height);
        size = eSize(combo.getSize().width, static_cast<int>(rows) * list.getEntryHeight());
    }

    const char* kind() const override { return "eComboBox list"; }

    void describeContent(std::ostream& out, int indent) const override {
        describeEntries(out, indent, list, cursor, "cursor");
    }

    bool keyDown(const eRCKey& key) override {
        const std::size_t count = list.getEntries().size();
        switch (key.code) {
        case eKeyCode::up:
            if (cursor > 0)
                --cursor;
            break;
        case eKeyCode::down:
            if (cursor + 1 < count)
                ++cursor;
            break;
        case eKeyCode::ok:
            if (cursor < count)
                list.setCurrentEntry(list.getEntries()[cursor], true, nullptr);
            endLoop(0);
            break;
        case eKeyCode::exit:
            endLoop(-1);
            break;
        default:
            break;
        }
        return true;
    }

    void run() {
        showWidget();
        runLoop();
        hideWidget();
    }

    DropDownView view() const { return {&list, cursor}; }

  private:
    eComboBox& combo;
    eListBoxBase& list;
    std::size_t cursor;
};

} // namespace

std::optional<DropDownView> dropDownView(const eWidget& window) {
    if (const auto* dropDown = dynamic_cast<const DropDown*>(&window))
        return dropDown->view();
    return std::nullopt;
}

eComboBox::eComboBox(eWidget* parent, int openEntries, eLabel* descr, int takefocus,
                     const char* deco)
    : eWidget(parent, takefocus),
      list(new eListBox<eListBoxEntryText>(eListBox<eListBoxEntryText>::Embedded{}, *this)),
      openEntries(openEntries), descr(descr) {
    CallTrace::call(this, "eComboBox", static_cast<const eWidget*>(parent), openEntries,
                    static_cast<const eWidget*>(descr), takefocus, deco);
}

eComboBox::~eComboBox() = default;

eListBoxEntryText* eComboBox::getCurrent() const {
    return list->getCurrent();
}

void eComboBox::setCurrent(eListBoxEntryText* entry, bool sendSelChanged) {
    list->setCurrentEntry(entry, sendSelChanged, this);
}

void eComboBox::describe(std::ostream& out) const {
    // A combo box shows the text of its current entry.
    const eListBoxEntryText* current = getCurrent();
    describeAs(out, current ? current->getText() : eString());
    out << " entries " << list->getEntries().size();
}

void eComboBox::describeContent(std::ostream& out, int indent) const {
    list->describeContent(out, indent);
}

void eComboBox::openDropDown() {
    if (list->getEntries().empty())
        return;
    DropDown dropDown(*this, *list);
    dropDown.run();
}

bool eComboBox::keyDown(const eRCKey& key) {
    switch (key.code) {
    case eKeyCode::ok:
        openDropDown();
        return true;
    case eKeyCode::left:
        list->moveCurrent(-1);
        return true;
    case eKeyCode::right:
        list->moveCurrent(+1);
        return true;
    default:
        return false;
    }
}

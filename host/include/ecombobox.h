#pragma once
// A drop-down: shows its current entry; ok opens the list, left and right step through it.

#include <memory>

#include "elabel.h"
#include "elistbox.h"

class eComboBox : public eWidget {
  public:
    eComboBox(eWidget* parent, int openEntries = 5, eLabel* descr = nullptr, int takefocus = 1,
              const char* deco = "eComboBox");
    ~eComboBox() override;

    // The list of entries; new entries are made with it as their list.
    eListBox<eListBoxEntryText>* getList() { return list.get(); }
    // The current entry, or null when the list is empty.
    eListBoxEntryText* getCurrent() const;
    void setCurrent(eListBoxEntryText* entry, bool sendSelChanged = false);

    int getOpenEntries() const { return openEntries; }

    const char* kind() const override { return "eComboBox"; }
    void describe(std::ostream& out) const override;
    void describeContent(std::ostream& out, int indent) const override;
    bool keyDown(const eRCKey& key) override;

  private:
    // Runs the drop-down as a modal window of its own.
    void openDropDown();

    std::unique_ptr<eListBox<eListBoxEntryText>> list;
    int openEntries;
    eLabel* descr;
};

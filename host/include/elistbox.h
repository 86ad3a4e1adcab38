#pragma once
// List boxes and their entries. A list owns its entries; an entry's key is the caller's.

#include <vector>

#include "ewidget.h"

class eListBoxBase;

class eListBoxEntry {
  public:
    // Appends the new entry to the end of list, which then owns it.
    explicit eListBoxEntry(eListBoxBase* list);
    virtual ~eListBoxEntry() = default;
    eListBoxEntry(const eListBoxEntry&) = delete;
    eListBoxEntry& operator=(const eListBoxEntry&) = delete;

    virtual const eString& getText() const = 0;
    virtual void* getKey() const = 0;

    // Entries come from the toolkit's entry pool, which spares a long list the general
    // allocator's cost per entry.
    static void* operator new(std::size_t size);
    static void operator delete(void* entry, std::size_t size) noexcept;
};

class eListBoxEntryText : public eListBoxEntry {
  public:
    // align is accepted for callers that pass it; this toolkit draws every row left-aligned.
    eListBoxEntryText(eListBoxBase* list, const eString& text = eString(), void* key = nullptr,
                      int align = 0);

    const eString& getText() const override { return text; }
    void* getKey() const override { return key; }
    // The height of one row at the active skin's font size.
    static int getEntryHeight();

  private:
    eString text;
    void* key;
};

class eListBoxBase : public eWidget {
  public:
    eListBoxBase(eWidget* parent, const eWidget* descr, int takefocus, int entryHeight,
                 const char* deco);
    ~eListBoxBase() override;

    // Adds entry at the end. Appending never moves the current entry, so holdCurrent and
    // emitChanged change nothing here; they are accepted for callers that pass them.
    void append(eListBoxEntry* entry, bool holdCurrent = false, bool emitChanged = false);
    // Deletes every entry; the list then has no current entry.
    void clearList();
    void setFlags(int flags);

    int getFlags() const { return flags; }
    int getEntryHeight() const { return entryHeight; }
    const std::vector<eListBoxEntry*>& getEntries() const { return entries; }
    eListBoxEntry* currentEntry() const;
    // The index of the current entry, or the size of the list when there is none.
    std::size_t currentIndex() const { return current < entries.size() ? current : entries.size(); }
    // Makes entry current if it is in the list; the call is traced as made on caller, unless
    // caller is null.
    void setCurrentEntry(eListBoxEntry* entry, bool sendSelChanged, const eWidget* caller);

    // The widget that calls on this list are traced as made on.
    const eWidget* traceTarget() const { return owner ? owner : this; }
    // The current row moves by delta, staying within the list; false when it cannot move.
    bool moveCurrent(int delta);

    sigc::signal<void(eListBoxEntry*)> selectedSignal;
    sigc::signal<void(eListBoxEntry*)> selChangedSignal;

    const char* kind() const override { return "eListBox"; }
    void describe(std::ostream& out) const override;
    void describeContent(std::ostream& out, int indent) const override;
    bool keyDown(const eRCKey& key) override;

  protected:
    // For a list owned by another widget, such as a combo box: it has no parent, and calls
    // on it are traced as made on its owner.
    struct Embedded {};
    eListBoxBase(Embedded, const eWidget& owner, int entryHeight);

  private:
    const eWidget* owner = nullptr;
    std::vector<eListBoxEntry*> entries;
    static constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t current = none;
    int flags = 0;
    int entryHeight;
};

template <class T> class eListBox : public eListBoxBase {
  public:
    explicit eListBox(eWidget* parent, const eWidget* descr = nullptr, int takefocus = 1,
                      int entryHeight = T::getEntryHeight(), const char* deco = "eListBox")
        : eListBoxBase(parent, descr, takefocus, entryHeight, deco) {}

    T* getCurrent() const { return static_cast<T*>(currentEntry()); }
    void setCurrent(T* entry, bool sendSelChanged = false) {
        setCurrentEntry(entry, sendSelChanged, this);
    }

  protected:
    eListBox(Embedded tag, const eWidget& owner) : eListBoxBase(tag, owner, T::getEntryHeight()) {}
    friend class eComboBox;
};

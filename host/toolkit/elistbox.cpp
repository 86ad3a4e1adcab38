#include "elistbox.h"

#include <algorithm>
#include <ostream>

#include "calltrace.h"
#include "entrydump.h"
#include "entrypool.h"
#include "eskin.h"

eListBoxEntry::eListBoxEntry(eListBoxBase* list) {
    list->append(this, false, false);
}

void* eListBoxEntry::operator new(std::size_t size) {
    return entrypool::allocate(size);
}

void eListBoxEntry::operator delete(void* entry, std::size_t size) noexcept {
    entrypool::release(entry, size);
}

static_assert(sizeof(eListBoxEntryText) <= entrypool::slotSize,
              "a text entry must fit a slot of the entry pool");

eListBoxEntryText::eListBoxEntryText(eListBoxBase* list, const eString& text, void* key, int)
    : eListBoxEntry(list), text(text), key(key) {
    CallTrace::call(list->traceTarget(), "eListBoxEntryText", static_cast<const std::string&>(text),
                    static_cast<const void*>(key));
}

int eListBoxEntryText::getEntryHeight() {
    return eSkin::getActive()->valueOr("fontsize", 20) + 6;
}

eListBoxBase::eListBoxBase(eWidget* parent, const eWidget* descr, int takefocus, int entryHeight,
                           const char* deco)
    : eWidget(parent, takefocus), entryHeight(entryHeight) {
    CallTrace::call(this, "eListBox", static_cast<const eWidget*>(parent), descr, takefocus,
                    entryHeight, deco);
}

eListBoxBase::eListBoxBase(Embedded, const eWidget& owner, int entryHeight)
    : eWidget(nullptr, 0), owner(&owner), entryHeight(entryHeight) {}

eListBoxBase::~eListBoxBase() {
    for (eListBoxEntry* entry : entries)
        delete entry;
}

void eListBoxBase::append(eListBoxEntry* entry, bool, bool) {
    entries.push_back(entry);
}

void eListBoxBase::clearList() {
    CallTrace::call(traceTarget(), "clearList");
    for (eListBoxEntry* entry : entries)
        delete entry;
    entries.clear();
    current = none;
}

void eListBoxBase::setFlags(int newFlags) {
    CallTrace::call(this, "setFlags", newFlags);
    flags = newFlags;
}

eListBoxEntry* eListBoxBase::currentEntry() const {
    return current < entries.size() ? entries[current] : nullptr;
}

void eListBoxBase::setCurrentEntry(eListBoxEntry* entry, bool sendSelChanged,
                                   const eWidget* caller) {
    const auto found = std::find(entries.begin(), entries.end(), entry);
    if (caller && CallTrace::enabled()) {
        const int index = found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
        CallTrace::call(caller, "setCurrent", index, sendSelChanged);
    }
    if (found == entries.end())
        return;
    current = static_cast<std::size_t>(found - entries.begin());
    if (sendSelChanged)
        selChangedSignal.emit(entry);
}

bool eListBoxBase::moveCurrent(int delta) {
    if (entries.empty())
        return false;
    const auto last = static_cast<long>(entries.size()) - 1;
    const long from = current == none ? (delta > 0 ? -1 : last + 1) : static_cast<long>(current);
    const long to = std::clamp(from + delta, 0L, last);
    if (to == from)
        return false;
    current = static_cast<std::size_t>(to);
    selChangedSignal.emit(entries[current]);
    return true;
}

void eListBoxBase::describe(std::ostream& out) const {
    eWidget::describe(out);
    out << " flags " << flags << " rows of " << entryHeight;
}

void eListBoxBase::describeContent(std::ostream& out, int indent) const {
    describeEntries(out, indent, *this, current, "current");
}

bool eListBoxBase::keyDown(const eRCKey& key) {
    switch (key.code) {
    case eKeyCode::up:
        return moveCurrent(-1);
    case eKeyCode::down:
        return moveCurrent(+1);
    case eKeyCode::ok:
        if (eListBoxEntry* entry = currentEntry())
            selectedSignal.emit(entry);
        return true;
    default:
        return false;
    }
}

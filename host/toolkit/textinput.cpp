#include "textinput.h"

#include <ostream>

#include "calltrace.h"

eTextInputField::eTextInputField(eWidget* parent, eLabel* descr, eTextInputFieldHelpWidget* help,
                                 const char* deco)
    : eWidget(parent, 1), descr(descr) {
    CallTrace::call(this, "eTextInputField", static_cast<const eWidget*>(parent),
                    static_cast<const eWidget*>(descr), static_cast<const void*>(help), deco);
}

void eTextInputField::setVisibleChars(int count) {
    CallTrace::call(this, "setVisibleChars", count);
    visibleChars = count;
}

void eTextInputField::describe(std::ostream& out) const {
    eWidget::describe(out);
    out << " chars " << visibleChars;
}

namespace {

// Removes the last character: a whole UTF-8 sequence, or a single byte that is not part of one.
void eraseLastCharacter(eString& text) {
    if (text.empty())
        return;
    const auto byteAt = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const std::size_t last = text.size() - 1;
    std::size_t start = last;
    while (start > 0 && last - start < 3 && (byteAt(start) & 0xc0) == 0x80)
        --start;
    if (start != last && (byteAt(start) & 0xc0) != 0xc0)
        start = last;
    text.erase(start);
}

} // namespace

bool eTextInputField::keyDown(const eRCKey& key) {
    switch (key.code) {
    case eKeyCode::text:
        // The field holds one line of text: a line feed would split it, a NUL would end it
        // early for whoever reads it as a C string.
        for (char c : key.text)
            if (c != '\n' && c != '\0')
                text += c;
        return true;
    case eKeyCode::backspace:
        eraseLastCharacter(text);
        return true;
    default:
        return false;
    }
}

#pragma once
// What the painters need of an open combo box list, a toolkit-internal window.

#include <cstddef>
#include <optional>

class eListBoxBase;
class eWidget;

struct DropDownView {
    const eListBoxBase* list;
    std::size_t cursor; // the entry ok would make current
};

// The list and cursor of window if it is an open combo box list, otherwise nothing.
std::optional<DropDownView> dropDownView(const eWidget& window);

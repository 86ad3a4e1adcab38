#pragma once

#include <iosfwd>

class eWidget;

// Writes a text snapshot of the screen: every shown window bottom to top, with its children,
// list entries and the focus; the same screen always gives the same bytes.
void writeScreen(std::ostream& out, const eWidget& waiting, int number);

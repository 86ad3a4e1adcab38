#pragma once
// The screen dump's lines for the entries of a list.

#include <cstddef>
#include <iosfwd>

class eListBoxBase;

// Writes one line per entry, marking the entry at index marked with the word mark.
void describeEntries(std::ostream& out, int indent, const eListBoxBase& list, std::size_t marked,
                     const char* mark);

#include "entrydump.h"

#include <ostream>
#include <string>

#include "elistbox.h"
#include "visibletext.h"

void describeEntries(std::ostream& out, int indent, const eListBoxBase& list, std::size_t marked,
                     const char* mark) {
    const std::string margin(static_cast<std::size_t>(indent), ' ');
    const auto& entries = list.getEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out << margin << "entry " << quoted(entries[i]->getText());
        // The only plug-in this host runs keeps an eString copy of the text as each key.
        if (const void* key = entries[i]->getKey())
            out << " key " << quoted(*static_cast<const eString*>(key));
        if (i == marked)
            out << ' ' << mark;
        out << '\n';
    }
}

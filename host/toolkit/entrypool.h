#pragma once
// Memory for list entries: same-sized slots cut from 64 KiB slabs, so that a list of a million
// short lines costs each entry its own size and nothing for the allocator's bookkeeping. A slab
// goes back to the system as soon as its last entry is deleted. The toolkit runs on the GUI
// thread only, so the pool takes no lock.

#include <cstddef>

namespace entrypool {

// Larger requests than a slot go to the global operator new.
constexpr std::size_t slotSize = 48;

void* allocate(std::size_t size);
void release(void* slot, std::size_t size) noexcept;

} // namespace entrypool

#include "entrypool.h"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace entrypool {
namespace {

constexpr std::size_t slabSize = 64 * 1024;

struct FreeSlot {
    FreeSlot* next;
};

// The head of every slab; its slots follow it.
struct Slab {
    std::size_t live = 0;      // slots handed out
    std::size_t neverUsed = 0; // index of the first slot never handed out
    FreeSlot* freeSlots = nullptr;
    Slab* previousOpen = nullptr; // the list of slabs with a slot to give
    Slab* nextOpen = nullptr;
    bool open = false;
};

constexpr std::size_t headerSize = (sizeof(Slab) + slotSize - 1) / slotSize * slotSize;
constexpr std::size_t slotsPerSlab = (slabSize - headerSize) / slotSize;

Slab* openSlabs = nullptr;

char* slotAt(Slab* slab, std::size_t index) {
    return reinterpret_cast<char*>(slab) + headerSize + index * slotSize;
}

void markOpen(Slab* slab) {
    slab->open = true;
    slab->previousOpen = nullptr;
    slab->nextOpen = openSlabs;
    if (openSlabs)
        openSlabs->previousOpen = slab;
    openSlabs = slab;
}

void markFull(Slab* slab) {
    slab->open = false;
    if (slab->previousOpen)
        slab->previousOpen->nextOpen = slab->nextOpen;
    else
        openSlabs = slab->nextOpen;
    if (slab->nextOpen)
        slab->nextOpen->previousOpen = slab->previousOpen;
}

// Whether the pool serves entries, or leaves them to the global allocator so that the
// sanitizers see each entry on its own.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool pooled = false;
#else
constexpr bool pooled = true;
#endif

} // namespace

void* allocate(std::size_t size) {
    if (!pooled || size > slotSize)
        return ::operator new(size);
    if (!openSlabs) {
        void* memory = std::aligned_alloc(slabSize, slabSize);
        if (!memory)
            throw std::bad_alloc();
        markOpen(new (memory) Slab);
    }
    Slab* slab = openSlabs;
    void* slot;
    if (slab->freeSlots) {
        slot = slab->freeSlots;
        slab->freeSlots = slab->freeSlots->next;
    } else {
        slot = slotAt(slab, slab->neverUsed++);
    }
    ++slab->live;
    if (!slab->freeSlots && slab->neverUsed == slotsPerSlab)
        markFull(slab);
    return slot;
}

void release(void* slot, std::size_t size) noexcept {
    if (!pooled || size > slotSize) {
        ::operator delete(slot);
        return;
    }
    auto* slab = reinterpret_cast<Slab*>(reinterpret_cast<std::uintptr_t>(slot) & ~(slabSize - 1));
    auto* freed = static_cast<FreeSlot*>(slot);
    freed->next = slab->freeSlots;
    slab->freeSlots = freed;
    if (!slab->open)
        markOpen(slab);
    if (--slab->live == 0) {
        markFull(slab);
        slab->~Slab();
        std::free(slab);
    }
}

} // namespace entrypool

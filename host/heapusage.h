#pragma once
// How much of the heap is in use, for checking that memory stays flat over a long session.

#include <cstddef>

// Bytes handed out by malloc and not yet freed: glibc's mallinfo2 figures, or in the
// sanitizer build (whose allocator replaces glibc's) the sanitizer's own count.
std::size_t heapInUse();

#pragma once
// Large blocks straight from the operating system, returned to it as soon as
// they are freed, so closing a large file gives its memory back at once.
#include <cstddef>

namespace platform {

// Null when the system has no memory to give.
void* AllocatePages(size_t bytes);
// For a block that will be filled from end to end (a heap's slab): where it
// spans whole huge pages it is aligned to them and asks the system to back it
// with huge pages, so filling it costs one fault per 2 MiB instead of one per
// 4 KiB. Freed with FreePages like any other block.
void* AllocateFilledPages(size_t bytes);
void FreePages(void* block, size_t bytes);

} // namespace platform

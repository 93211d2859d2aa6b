#pragma once
// Large blocks straight from the operating system, returned to it as soon as
// they are freed, so closing a large file gives its memory back at once.
#include <cstddef>

namespace platform {

// Null when the system has no memory to give. populate maps every page at
// once, for a block about to be filled: one call instead of a page fault per
// page, which is most of the cost of filling fresh memory in a virtual machine.
void* AllocatePages(size_t bytes, bool populate = false);
void FreePages(void* block, size_t bytes);

} // namespace platform

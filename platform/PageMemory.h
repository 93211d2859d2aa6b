#pragma once
// Large blocks straight from the operating system, returned to it as soon as
// they are freed, so closing a large file gives its memory back at once.
#include <cstddef>

namespace platform {

// Null when the system has no memory to give.
void* AllocatePages(size_t bytes);
void FreePages(void* block, size_t bytes);

} // namespace platform

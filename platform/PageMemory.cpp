#include "PageMemory.h"

#include <sys/mman.h>

namespace platform {

void* AllocatePages(size_t bytes)
{
    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

void FreePages(void* block, size_t bytes)
{
    if (block)
        ::munmap(block, bytes);
}

} // namespace platform

#include "PageMemory.h"

#include <cstdint>
#include <sys/mman.h>

namespace platform {

namespace {
constexpr size_t kHugePage = size_t(2) << 20;

void* MapPages(size_t bytes)
{
    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}
} // namespace

void* AllocatePages(size_t bytes) { return MapPages(bytes); }

void* AllocateFilledPages(size_t bytes)
{
    if (bytes < kHugePage || bytes % kHugePage != 0)
        return MapPages(bytes);
    // Map one huge page more than needed and give back the parts outside the
    // aligned block: a huge page can only back an aligned 2 MiB range.
    auto* mapped = static_cast<char*>(MapPages(bytes + kHugePage));
    if (!mapped)
        return nullptr;
    const uintptr_t start = (reinterpret_cast<uintptr_t>(mapped) + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    char* block = reinterpret_cast<char*>(start);
    if (block > mapped)
        ::munmap(mapped, size_t(block - mapped));
    if (const size_t after = size_t(mapped + bytes + kHugePage - (block + bytes)); after > 0)
        ::munmap(block + bytes, after);
    // Only advice: without huge pages the block works the same.
    ::madvise(block, bytes, MADV_HUGEPAGE);
    return block;
}

void FreePages(void* block, size_t bytes)
{
    if (block)
        ::munmap(block, bytes);
}

} // namespace platform

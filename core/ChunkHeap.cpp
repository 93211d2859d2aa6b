#include "ChunkHeap.h"

#include "platform/PageMemory.h"

#include <algorithm>

// Under AddressSanitizer, memory the heap holds but has not handed out is
// poisoned, so a read or write past a chunk's block or into a freed chunk is
// reported even though the slabs come from one large mapping.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define HEAP_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define HEAP_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define HEAP_POISON(p, n) ((void)(p), (void)(n))
#define HEAP_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {
// Slabs double from one page up to this size, so small files stay small and
// large ones need few slabs.
constexpr size_t kPage = 4096;
constexpr size_t kMaxSlabSize = size_t(8) << 20;
} // namespace

ChunkHeap::~ChunkHeap() { Release(); }

bool ChunkHeap::AddSlab(size_t atLeast)
{
    const size_t size = (std::max(nextSlabSize_, atLeast + sizeof(Slab)) + kPage - 1) & ~(kPage - 1);
    auto* slab = static_cast<Slab*>(platform::AllocateFilledPages(size));
    if (!slab)
        return false;
    slab->next = slabs_;
    slab->size = size;
    slabs_ = slab;
    slabBytes_ += size;
    cursor_ = reinterpret_cast<char*>(slab) + RoundUp(sizeof(Slab));
    end_ = reinterpret_cast<char*>(slab) + size;
    HEAP_POISON(cursor_, size_t(end_ - cursor_));
    nextSlabSize_ = std::min(nextSlabSize_ * 2, kMaxSlabSize);
    return true;
}

void ChunkHeap::PushFree(void* block, size_t bytes)
{
    const size_t sizeClass = bytes / kGranule;
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = freeLists_[sizeClass];
    freeLists_[sizeClass] = freed;
    nonEmpty_[sizeClass / 64] |= uint64_t(1) << (sizeClass % 64);
}

void* ChunkHeap::PopFree(size_t sizeClass)
{
    FreeBlock* block = freeLists_[sizeClass];
    HEAP_UNPOISON(block, sizeof(FreeBlock));
    freeLists_[sizeClass] = block->next;
    if (!block->next)
        nonEmpty_[sizeClass / 64] &= ~(uint64_t(1) << (sizeClass % 64));
    return block;
}

size_t ChunkHeap::LargerNonEmptyClass(size_t sizeClass) const
{
    size_t word = (sizeClass + 1) / 64;
    uint64_t bits = nonEmpty_[word] & (~uint64_t(0) << ((sizeClass + 1) % 64));
    while (bits == 0) {
        if (++word == kMapWords)
            return 0;
        bits = nonEmpty_[word];
    }
    return word * 64 + size_t(__builtin_ctzll(bits));
}

void* ChunkHeap::Allocate(size_t bytes)
{
    if (failAfter_ == 0)
        return nullptr;
    bytes = RoundUp(std::max(bytes, sizeof(FreeBlock)));
    if (bytes > kLargestBlock)
        return nullptr;
    const size_t sizeClass = bytes / kGranule;
    void* block = nullptr;
    if (freeLists_[sizeClass]) {
        block = PopFree(sizeClass);
    } else if (const size_t larger = LargerNonEmptyClass(sizeClass); larger != 0) {
        block = PopFree(larger);
        const size_t rest = larger * kGranule - bytes;
        if (rest >= sizeof(FreeBlock)) {
            HEAP_UNPOISON(static_cast<char*>(block) + bytes, sizeof(FreeBlock));
            PushFree(static_cast<char*>(block) + bytes, rest);
            HEAP_POISON(static_cast<char*>(block) + bytes, rest);
        }
    } else {
        if (size_t(end_ - cursor_) < bytes && !AddSlab(bytes))
            return nullptr;
        block = cursor_;
        cursor_ += bytes;
    }
    HEAP_UNPOISON(block, bytes);
    if (failAfter_ > 0)
        --failAfter_;
    return block;
}

void ChunkHeap::Free(void* block, size_t bytes)
{
    if (!block)
        return;
    bytes = RoundUp(std::max(bytes, sizeof(FreeBlock)));
    PushFree(block, bytes);
    HEAP_POISON(block, bytes);
}

void* ChunkHeap::AllocateLarge(size_t bytes)
{
    if (failAfter_ == 0)
        return nullptr;
    void* block = platform::AllocatePages(bytes);
    if (block && failAfter_ > 0)
        --failAfter_;
    return block;
}

void ChunkHeap::FreeLarge(void* block, size_t bytes)
{
    if (block)
        platform::FreePages(block, bytes);
}

void ChunkHeap::Release()
{
    while (slabs_) {
        Slab* next = slabs_->next;
        const size_t size = slabs_->size;
        HEAP_UNPOISON(slabs_, size);
        platform::FreePages(slabs_, size);
        slabs_ = next;
    }
    freeLists_.fill(nullptr);
    nonEmpty_.fill(0);
    cursor_ = end_ = nullptr;
    nextSlabSize_ = kPage;
    slabBytes_ = 0;
}

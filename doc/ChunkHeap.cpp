#include "ChunkHeap.h"

#include "platform/PageMemory.h"

#include <algorithm>

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
    auto* slab = static_cast<Slab*>(platform::AllocatePages(size));
    if (!slab)
        return false;
    slab->next = slabs_;
    slab->size = size;
    slabs_ = slab;
    slabBytes_ += size;
    cursor_ = reinterpret_cast<char*>(slab) + RoundUp(sizeof(Slab));
    end_ = reinterpret_cast<char*>(slab) + size;
    nextSlabSize_ = std::min(nextSlabSize_ * 2, kMaxSlabSize);
    return true;
}

void* ChunkHeap::Allocate(size_t bytes)
{
    if (failAfter_ == 0)
        return nullptr;
    bytes = RoundUp(std::max(bytes, sizeof(FreeBlock)));
    if (bytes > kLargestBlock)
        return nullptr;
    FreeBlock*& list = freeLists_[bytes / kGranule];
    void* block = nullptr;
    if (list) {
        block = list;
        list = list->next;
    } else {
        if (size_t(end_ - cursor_) < bytes && !AddSlab(bytes))
            return nullptr;
        block = cursor_;
        cursor_ += bytes;
    }
    if (failAfter_ > 0)
        --failAfter_;
    return block;
}

void ChunkHeap::Free(void* block, size_t bytes)
{
    if (!block)
        return;
    bytes = RoundUp(std::max(bytes, sizeof(FreeBlock)));
    auto* freed = static_cast<FreeBlock*>(block);
    FreeBlock*& list = freeLists_[bytes / kGranule];
    freed->next = list;
    list = freed;
}

void ChunkHeap::Release()
{
    while (slabs_) {
        Slab* next = slabs_->next;
        platform::FreePages(slabs_, slabs_->size);
        slabs_ = next;
    }
    freeLists_.fill(nullptr);
    cursor_ = end_ = nullptr;
    nextSlabSize_ = kPage;
    slabBytes_ = 0;
}

#pragma once
// The private heap of one file buffer. Chunks are carved from large slabs and
// recycled through free lists kept per size, so a buffer of half a million
// chunks costs a few hundred slab allocations, and throwing the buffer away
// releases the slabs as a whole instead of freeing chunks one by one.
// Allocation failure returns null; it never throws and never aborts.
//
// A request whose own size has no free block is cut from the smallest larger
// free block before fresh slab memory is touched: an insertion into a full
// chunk frees one 2 KiB block and asks for two blocks of other sizes, so
// without reuse across sizes every such edit would take new pages (and fault
// them in) while the freed blocks piled up unused.
#include <array>
#include <cstddef>
#include <cstdint>

class ChunkHeap {
public:
    static constexpr size_t kGranule = 8;
    static constexpr size_t kLargestBlock = 4096;

    ChunkHeap() = default;
    ~ChunkHeap();
    ChunkHeap(const ChunkHeap&) = delete;
    ChunkHeap& operator=(const ChunkHeap&) = delete;

    // bytes must not exceed kLargestBlock. Returns null when memory runs out.
    void* Allocate(size_t bytes);
    // bytes must be the size the block was allocated with.
    void Free(void* block, size_t bytes);
    // Returns every slab to the system at once.
    void Release();

    // A block of any size straight from the system, for a table that grows
    // with the buffer. It is not part of the slabs: Release leaves it alone
    // and its owner frees it with FreeLarge. Counted by FailAfter like every
    // other allocation. Returns null when memory runs out.
    void* AllocateLarge(size_t bytes);
    void FreeLarge(void* block, size_t bytes);

    size_t SlabBytes() const { return slabBytes_; }

    // Fault injection for tests: after this many further successful
    // allocations every allocation fails, until called again with -1.
    void FailAfter(int64_t allocations) { failAfter_ = allocations; }

private:
    struct Slab {
        Slab* next;
        size_t size;
    };
    struct FreeBlock {
        FreeBlock* next;
    };
    static constexpr size_t kClassCount = kLargestBlock / kGranule + 1;

    static size_t RoundUp(size_t bytes) { return (bytes + kGranule - 1) & ~(kGranule - 1); }
    bool AddSlab(size_t atLeast);
    void PushFree(void* block, size_t bytes);
    void* PopFree(size_t sizeClass);
    // The smallest size class above sizeClass with a free block, or 0.
    size_t LargerNonEmptyClass(size_t sizeClass) const;

    static constexpr size_t kMapWords = (kClassCount + 63) / 64;
    std::array<FreeBlock*, kClassCount> freeLists_{};
    std::array<uint64_t, kMapWords> nonEmpty_{};  // bit per size class with a free block
    Slab* slabs_ = nullptr;
    char* cursor_ = nullptr;
    char* end_ = nullptr;
    size_t nextSlabSize_ = 4096;
    size_t slabBytes_ = 0;
    int64_t failAfter_ = -1;
};

#pragma once
// A counted tree over a buffer's chunk list, so that finding the chunk that
// holds an offset costs a few node visits instead of a walk along the list.
// The leaves hold the chunks in list order together with their lengths; the
// inner nodes hold the byte count of every subtree. The list stays the
// authority: the buffer tells the index of every chunk it links, unlinks,
// relocates or resizes. Nodes come from the buffer's heap, so throwing the
// heap away throws the index away with it.
//
// Memory is the index's main cost (a leaf per 64 chunks), so leaves are kept
// well filled: a full leaf first hands entries to a neighbour with room, and
// only two nearly full neighbours split, into three leaves about two-thirds
// full; a leaf that runs low is merged into a neighbour. A chunk finds its leaf through a
// 32-bit leaf number in its header (a table maps numbers to leaves), which
// costs the header nothing, instead of an 8-byte pointer per chunk.
#include "BufferChunk.h"

#include <cstdint>
#include <string>

class ChunkHeap;

struct ChunkIndexNode {
    struct ChunkIndexInner* parent;
    uint32_t number;  // a leaf's entry in the leaf table; unused by inner nodes
    int16_t count;
    uint8_t slot;  // index in the parent
    bool isLeaf;
};

struct ChunkIndexLeaf : ChunkIndexNode {
    static constexpr int kSlots = 64;
    CBufferChunk* chunks[kSlots];
    // Memory chunks' lengths; kExtentLength for an extent, whose length
    // (longer than 16 bits) is read from the extent itself. Two bytes a
    // slot keep the scan of a leaf within two cache lines.
    uint16_t lengths[kSlots];
    static constexpr uint16_t kExtentLength = UINT16_MAX;
    static uint16_t Encode(const CBufferChunk* chunk)
    {
        return chunk->IsExtent() ? kExtentLength : chunk->length;
    }
    int64_t Length(int i) const { return lengths[i] == kExtentLength ? chunks[i]->Size() : lengths[i]; }
};

struct ChunkIndexInner : ChunkIndexNode {
    static constexpr int kSlots = 64;
    ChunkIndexNode* children[kSlots];
    int64_t bytes[kSlots];
};

class ChunkIndex {
public:
    explicit ChunkIndex(ChunkHeap& heap);
    ~ChunkIndex();
    ChunkIndex(const ChunkIndex&) = delete;
    ChunkIndex& operator=(const ChunkIndex&) = delete;

    // Forgets every node (their memory went with the heap) and starts over
    // with an empty root leaf that needs no memory.
    void Forget();
    // Adds a chunk after the last one. False when memory runs out.
    bool Append(CBufferChunk* chunk);
    // Adds chunk right after anchor. False when memory runs out, in which
    // case nothing changed and the chunk must not be linked.
    bool InsertAfter(CBufferChunk* anchor, CBufferChunk* chunk) { return Insert(anchor, chunk, 1); }
    // The same, right before anchor.
    bool InsertBefore(CBufferChunk* anchor, CBufferChunk* chunk) { return Insert(anchor, chunk, 0); }
    void Remove(CBufferChunk* chunk);
    // to takes from's place (and its possibly different length).
    void Replace(CBufferChunk* from, CBufferChunk* to);
    // The chunk's length changed.
    void Update(CBufferChunk* chunk);

    // Loading: after Forget, LoadAppend takes the chunks in list order and
    // fills leaves one after the other; FinishLoad then builds the inner
    // levels in one pass. Both are false when memory runs out (then only
    // Forget makes the index usable again). Cheaper than Append per chunk.
    bool LoadAppend(CBufferChunk* chunk)
    {
        ChunkIndexLeaf* leaf = loadLeaf_;
        if (leaf->count == ChunkIndexLeaf::kSlots && !(leaf = NextLoadLeaf()))
            return false;
        leaf->chunks[leaf->count] = chunk;
        leaf->lengths[leaf->count] = ChunkIndexLeaf::Encode(chunk);
        extentSlots_ += chunk->IsExtent();
        ++leaf->count;
        chunk->leaf = leaf->number;
        return true;
    }
    bool FinishLoad();

    // The chunk holding offset, and the offset at which that chunk starts. An
    // offset on a chunk boundary is placed at the end of the earlier chunk,
    // as a forward walk would place it; offset must be within 0..total.
    CBufferChunk* Find(int64_t offset, int64_t* chunkStart, int* slot = nullptr) const;
    // The caller believes chunk is entry slot of its leaf; the next lookup
    // of chunk checks that first. A wrong belief only costs a scan.
    void Hint(const CBufferChunk* chunk, int slot) const
    {
        hintLeaf_ = LeafOf(chunk);
        hintSlot_ = slot;
    }

    // Every byte the index holds: nodes (spares included) and the leaf table.
    int64_t MemoryBytes() const;

    // Compares the index with the list from first on; why names the first
    // broken rule.
    bool Check(const CBufferChunk* first, int64_t size, std::string* why) const;

private:
    bool Insert(CBufferChunk* anchor, CBufferChunk* chunk, int after);
    ChunkIndexLeaf* NewLeaf();
    ChunkIndexInner* NewInner();
    void FreeNode(ChunkIndexNode* node);
    bool TakeLeafNumber(uint32_t* number);
    // Here rather than in the source file: every edit and every hint looks
    // its chunk's leaf up, and a call would cost more than the look-up.
    ChunkIndexLeaf* LeafOf(const CBufferChunk* chunk) const
    {
        if (chunk->leaf == 0)
            return const_cast<ChunkIndexLeaf*>(&rootLeaf_);
        return reinterpret_cast<ChunkIndexLeaf*>(table_[chunk->leaf]);
    }
    ChunkIndexLeaf* NextLoadLeaf();
    // Makes sure the nodes that adding one chunk to leaf may need exist, so
    // that the change itself cannot fail halfway.
    bool ReserveFor(const ChunkIndexLeaf* leaf);
    ChunkIndexInner* TakeSpareInner();
    ChunkIndexLeaf* TakeSpareLeaf();
    // Makes room in a full leaf by moving entries to its neighbours or by
    // adding a leaf; afterwards every leaf involved has a free slot.
    void MakeRoom(ChunkIndexLeaf* leaf);
    // An empty leaf right after leaf, linked into the tree.
    ChunkIndexLeaf* SplitOff(ChunkIndexLeaf* leaf);
    void MoveTailToFront(ChunkIndexLeaf* from, ChunkIndexLeaf* to, int count);
    void MoveHeadToEnd(ChunkIndexLeaf* from, ChunkIndexLeaf* to, int count);
    ChunkIndexLeaf* Neighbour(const ChunkIndexLeaf* leaf, int side) const;
    void MergeIfLow(ChunkIndexLeaf* leaf);
    void InsertLeafSlot(ChunkIndexLeaf* leaf, int position, CBufferChunk* chunk);
    void InsertChild(ChunkIndexInner* parent, int position, ChunkIndexNode* child, int64_t bytes);
    void GrowRoot(ChunkIndexNode* node);
    void RemoveNode(ChunkIndexNode* node);
    void DropSingleChildRoots();
    ChunkIndexLeaf* LastLeaf() const;
    void Propagate(ChunkIndexNode* node, int64_t delta);
    void SetLength(ChunkIndexLeaf* leaf, int slot, CBufferChunk* chunk);
    int SlotOf(const ChunkIndexLeaf* leaf, const CBufferChunk* chunk) const;
    static int64_t Total(const ChunkIndexNode* node);
    bool CheckNode(const ChunkIndexNode* node, const CBufferChunk*& expected, int64_t& bytes, int depth,
                   int& leafDepth, int64_t& leavesSeen, std::string* why) const;
    bool CheckLeafTable(int64_t leavesSeen, std::string* why) const;

    ChunkHeap& heap_;
    ChunkIndexNode* root_;
    ChunkIndexLeaf* spareLeaf_ = nullptr;
    static constexpr int kMaxSpareInners = 16;
    ChunkIndexInner* spareInners_[kMaxSpareInners] = {};
    int spareInnerCount_ = 0;
    int64_t leaves_ = 0;
    int64_t inners_ = 0;
    // Leaf number to leaf. Number 0 is always the root leaf below, which
    // needs no entry; a free entry holds the next free number shifted left
    // and tagged with bit 0 (leaves are aligned, so a leaf's bit 0 is clear).
    uintptr_t* table_ = nullptr;
    uint32_t tableCapacity_ = 0;
    uint32_t tableUsed_ = 1;
    uint32_t freeNumber_ = 0;  // 0: none
    ChunkIndexLeaf* loadLeaf_ = nullptr;
    // Extents among the listed chunks. While there are none (every file
    // below the extent threshold), lookups read the leaves' lengths as they
    // stand, without checking each for the extent mark.
    int64_t extentSlots_ = 0;
    // Where the last lookup or insertion was: an edit finds its chunk there
    // or next to it without scanning the leaf. Only a hint, checked on use.
    mutable const ChunkIndexLeaf* hintLeaf_ = nullptr;
    mutable int hintSlot_ = 0;
    ChunkIndexLeaf rootLeaf_{};  // used while the tree is one leaf; never freed
};

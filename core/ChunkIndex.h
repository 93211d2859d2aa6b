#pragma once
// A counted tree over a buffer's chunk list, so that finding the chunk that
// holds an offset costs a few node visits instead of a walk along the list.
// The leaves hold the chunks in list order together with their lengths; the
// inner nodes hold the byte count of every subtree. The list stays the
// authority: the buffer tells the index of every chunk it links, unlinks,
// relocates or resizes. Nodes come from the buffer's heap, so throwing the
// heap away throws the index away with it.
#include "BufferChunk.h"

#include <cstdint>
#include <string>

class ChunkHeap;

struct ChunkIndexNode {
    struct ChunkIndexInner* parent;
    int32_t slot;  // index in the parent
    int16_t count;
    bool isLeaf;
};

struct ChunkIndexLeaf : ChunkIndexNode {
    static constexpr int kSlots = 64;
    CBufferChunk* chunks[kSlots];
    uint16_t lengths[kSlots];
};

struct ChunkIndexInner : ChunkIndexNode {
    static constexpr int kSlots = 64;
    ChunkIndexNode* children[kSlots];
    int64_t bytes[kSlots];
};

class ChunkIndex {
public:
    explicit ChunkIndex(ChunkHeap& heap);
    ChunkIndex(const ChunkIndex&) = delete;
    ChunkIndex& operator=(const ChunkIndex&) = delete;

    // Forgets every node (their memory went with the heap) and starts over
    // with an empty root leaf that needs no memory.
    void Forget();
    // Adds a chunk after the last one (loading). False when memory runs out.
    bool Append(CBufferChunk* chunk);
    // Adds chunk right after anchor. False when memory runs out, in which
    // case nothing changed and the chunk must not be linked.
    bool InsertAfter(CBufferChunk* anchor, CBufferChunk* chunk);
    void Remove(CBufferChunk* chunk);
    // to takes from's place (and its possibly different length).
    void Replace(CBufferChunk* from, CBufferChunk* to);
    // The chunk's length changed.
    void Update(CBufferChunk* chunk);

    // The chunk holding offset, and the offset at which that chunk starts. An
    // offset on a chunk boundary is placed at the end of the earlier chunk,
    // as a forward walk would place it; offset must be within 0..total.
    CBufferChunk* Find(int64_t offset, int64_t* chunkStart) const;

    // Bytes of nodes in use, plus the per-chunk back link.
    int64_t MemoryBytes() const;

    // Compares the index with the list from first on; why names the first
    // broken rule.
    bool Check(const CBufferChunk* first, int64_t size, std::string* why) const;

private:
    ChunkIndexLeaf* NewLeaf();
    ChunkIndexInner* NewInner();
    void FreeNode(ChunkIndexNode* node);
    // Makes sure the nodes that adding one chunk to leaf may need exist, so
    // that the change itself cannot fail halfway.
    bool ReserveFor(const ChunkIndexLeaf* leaf);
    ChunkIndexInner* TakeSpareInner();
    void InsertLeafSlot(ChunkIndexLeaf* leaf, int position, CBufferChunk* chunk);
    void InsertChild(ChunkIndexInner* parent, int position, ChunkIndexNode* child, int64_t bytes);
    void GrowRoot(ChunkIndexNode* node);
    void RemoveNode(ChunkIndexNode* node);
    ChunkIndexLeaf* LastLeaf() const;
    void Propagate(ChunkIndexNode* node, int64_t delta);
    static int SlotOf(const ChunkIndexLeaf* leaf, const CBufferChunk* chunk);
    static int64_t Total(const ChunkIndexNode* node);
    bool CheckNode(const ChunkIndexNode* node, const CBufferChunk*& expected, int64_t& bytes, int depth,
                   int& leafDepth, std::string* why) const;

    ChunkHeap& heap_;
    ChunkIndexNode* root_;
    ChunkIndexLeaf* spareLeaf_ = nullptr;
    static constexpr int kMaxSpareInners = 16;
    ChunkIndexInner* spareInners_[kMaxSpareInners] = {};
    int spareInnerCount_ = 0;
    int64_t leaves_ = 0;
    int64_t inners_ = 0;
    int64_t chunkCount_ = 0;
    ChunkIndexLeaf rootLeaf_{};  // used while the tree is one leaf; never freed
};

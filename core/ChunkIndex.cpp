#include "ChunkIndex.h"

#include "ChunkHeap.h"

#include <new>

ChunkIndex::ChunkIndex(ChunkHeap& heap) : heap_(heap), root_(&rootLeaf_) { Forget(); }

void ChunkIndex::Forget()
{
    rootLeaf_.parent = nullptr;
    rootLeaf_.slot = 0;
    rootLeaf_.count = 0;
    rootLeaf_.isLeaf = true;
    root_ = &rootLeaf_;
    spareLeaf_ = nullptr;
    spareInnerCount_ = 0;
    leaves_ = inners_ = chunkCount_ = 0;
}

// ---------------------------------------------------------------- nodes

ChunkIndexLeaf* ChunkIndex::NewLeaf()
{
    void* memory = heap_.Allocate(sizeof(ChunkIndexLeaf));
    if (!memory)
        return nullptr;
    auto* leaf = new (memory) ChunkIndexLeaf{};
    leaf->isLeaf = true;
    ++leaves_;
    return leaf;
}

ChunkIndexInner* ChunkIndex::NewInner()
{
    void* memory = heap_.Allocate(sizeof(ChunkIndexInner));
    if (!memory)
        return nullptr;
    auto* inner = new (memory) ChunkIndexInner{};
    inner->isLeaf = false;
    ++inners_;
    return inner;
}

void ChunkIndex::FreeNode(ChunkIndexNode* node)
{
    if (node == &rootLeaf_)
        return;
    if (node->isLeaf) {
        heap_.Free(node, sizeof(ChunkIndexLeaf));
        --leaves_;
    } else {
        heap_.Free(node, sizeof(ChunkIndexInner));
        --inners_;
    }
}

bool ChunkIndex::ReserveFor(const ChunkIndexLeaf* leaf)
{
    if (leaf->count < ChunkIndexLeaf::kSlots)
        return true;
    int inners = 0;
    const ChunkIndexInner* parent = leaf->parent;
    while (parent && parent->count == ChunkIndexInner::kSlots) {
        ++inners;
        parent = parent->parent;
    }
    if (!parent)
        ++inners;  // the root splits: a new root above it
    if (!spareLeaf_ && !(spareLeaf_ = NewLeaf()))
        return false;
    while (spareInnerCount_ < inners) {
        if (spareInnerCount_ == kMaxSpareInners)
            return false;
        ChunkIndexInner* inner = NewInner();
        if (!inner)
            return false;
        spareInners_[spareInnerCount_++] = inner;
    }
    return true;
}

ChunkIndexInner* ChunkIndex::TakeSpareInner()
{
    ChunkIndexInner* inner = spareInners_[--spareInnerCount_];
    *inner = ChunkIndexInner{};
    inner->isLeaf = false;
    return inner;
}

int64_t ChunkIndex::Total(const ChunkIndexNode* node)
{
    int64_t total = 0;
    if (node->isLeaf) {
        const auto* leaf = static_cast<const ChunkIndexLeaf*>(node);
        for (int i = 0; i < leaf->count; ++i)
            total += leaf->lengths[i];
    } else {
        const auto* inner = static_cast<const ChunkIndexInner*>(node);
        for (int i = 0; i < inner->count; ++i)
            total += inner->bytes[i];
    }
    return total;
}

void ChunkIndex::Propagate(ChunkIndexNode* node, int64_t delta)
{
    if (delta == 0)
        return;
    for (; node->parent; node = node->parent)
        node->parent->bytes[node->slot] += delta;
}

int ChunkIndex::SlotOf(const ChunkIndexLeaf* leaf, const CBufferChunk* chunk)
{
    int slot = 0;
    while (leaf->chunks[slot] != chunk)
        ++slot;
    return slot;
}

ChunkIndexLeaf* ChunkIndex::LastLeaf() const
{
    ChunkIndexNode* node = root_;
    while (!node->isLeaf) {
        auto* inner = static_cast<ChunkIndexInner*>(node);
        node = inner->children[inner->count - 1];
    }
    return static_cast<ChunkIndexLeaf*>(node);
}

// ---------------------------------------------------------------- insert

void ChunkIndex::GrowRoot(ChunkIndexNode* node)
{
    ChunkIndexInner* root = TakeSpareInner();
    root->count = 1;
    root->children[0] = node;
    root->bytes[0] = Total(node);
    node->parent = root;
    node->slot = 0;
    root_ = root;
}

// A full node splits in half, except when the new entry goes at its very end:
// then the new sibling starts with that entry alone, so that appending (as
// loading does) leaves every node full.
void ChunkIndex::InsertChild(ChunkIndexInner* parent, int position, ChunkIndexNode* child, int64_t bytes)
{
    constexpr int kSlots = ChunkIndexInner::kSlots;
    if (parent->count == kSlots) {
        ChunkIndexInner* sibling = TakeSpareInner();
        if (!parent->parent)
            GrowRoot(parent);
        const int half = position == kSlots ? kSlots : kSlots / 2;
        int64_t moved = 0;
        for (int i = half; i < kSlots; ++i) {
            ChunkIndexNode* movedChild = parent->children[i];
            sibling->children[i - half] = movedChild;
            sibling->bytes[i - half] = parent->bytes[i];
            movedChild->parent = sibling;
            movedChild->slot = i - half;
            moved += parent->bytes[i];
        }
        sibling->count = int16_t(kSlots - half);
        parent->count = int16_t(half);
        Propagate(parent, -moved);
        InsertChild(parent->parent, parent->slot + 1, sibling, moved);
        if (position >= half) {
            parent = sibling;
            position -= half;
        }
    }
    for (int i = parent->count; i > position; --i) {
        parent->children[i] = parent->children[i - 1];
        parent->bytes[i] = parent->bytes[i - 1];
        parent->children[i]->slot = i;
    }
    parent->children[position] = child;
    parent->bytes[position] = bytes;
    child->parent = parent;
    child->slot = position;
    ++parent->count;
    Propagate(parent, bytes);
}

void ChunkIndex::InsertLeafSlot(ChunkIndexLeaf* leaf, int position, CBufferChunk* chunk)
{
    constexpr int kSlots = ChunkIndexLeaf::kSlots;
    if (leaf->count == kSlots) {
        ChunkIndexLeaf* sibling = spareLeaf_;
        spareLeaf_ = nullptr;
        if (!leaf->parent)
            GrowRoot(leaf);
        const int half = position == kSlots ? kSlots : kSlots / 2;
        int64_t moved = 0;
        for (int i = half; i < kSlots; ++i) {
            sibling->chunks[i - half] = leaf->chunks[i];
            sibling->lengths[i - half] = leaf->lengths[i];
            leaf->chunks[i]->leaf = sibling;
            moved += leaf->lengths[i];
        }
        sibling->count = int16_t(kSlots - half);
        leaf->count = int16_t(half);
        Propagate(leaf, -moved);
        InsertChild(leaf->parent, leaf->slot + 1, sibling, moved);
        if (position >= half) {
            leaf = sibling;
            position -= half;
        }
    }
    for (int i = leaf->count; i > position; --i) {
        leaf->chunks[i] = leaf->chunks[i - 1];
        leaf->lengths[i] = leaf->lengths[i - 1];
    }
    leaf->chunks[position] = chunk;
    leaf->lengths[position] = uint16_t(chunk->length);
    chunk->leaf = leaf;
    ++leaf->count;
    ++chunkCount_;
    Propagate(leaf, chunk->length);
}

bool ChunkIndex::Append(CBufferChunk* chunk)
{
    ChunkIndexLeaf* leaf = LastLeaf();
    if (!ReserveFor(leaf))
        return false;
    InsertLeafSlot(leaf, leaf->count, chunk);
    return true;
}

bool ChunkIndex::InsertAfter(CBufferChunk* anchor, CBufferChunk* chunk)
{
    ChunkIndexLeaf* leaf = anchor->leaf;
    if (!ReserveFor(leaf))
        return false;
    InsertLeafSlot(leaf, SlotOf(leaf, anchor) + 1, chunk);
    return true;
}

// ---------------------------------------------------------------- remove and change

void ChunkIndex::RemoveNode(ChunkIndexNode* node)
{
    ChunkIndexInner* parent = node->parent;
    for (int i = node->slot; i + 1 < parent->count; ++i) {
        parent->children[i] = parent->children[i + 1];
        parent->bytes[i] = parent->bytes[i + 1];
        parent->children[i]->slot = i;
    }
    --parent->count;
    FreeNode(node);
    if (parent->count == 0 && parent->parent)
        RemoveNode(parent);
}

void ChunkIndex::Remove(CBufferChunk* chunk)
{
    ChunkIndexLeaf* leaf = chunk->leaf;
    const int slot = SlotOf(leaf, chunk);
    const int64_t length = leaf->lengths[slot];
    for (int i = slot; i + 1 < leaf->count; ++i) {
        leaf->chunks[i] = leaf->chunks[i + 1];
        leaf->lengths[i] = leaf->lengths[i + 1];
    }
    --leaf->count;
    --chunkCount_;
    chunk->leaf = nullptr;
    Propagate(leaf, -length);
    if (leaf->count == 0 && leaf->parent)
        RemoveNode(leaf);
    // A root with a single child is one level too many.
    while (!root_->isLeaf && static_cast<ChunkIndexInner*>(root_)->count == 1) {
        ChunkIndexNode* child = static_cast<ChunkIndexInner*>(root_)->children[0];
        FreeNode(root_);
        child->parent = nullptr;
        child->slot = 0;
        root_ = child;
    }
}

void ChunkIndex::Replace(CBufferChunk* from, CBufferChunk* to)
{
    ChunkIndexLeaf* leaf = from->leaf;
    const int slot = SlotOf(leaf, from);
    leaf->chunks[slot] = to;
    to->leaf = leaf;
    const int64_t delta = int64_t(to->length) - leaf->lengths[slot];
    leaf->lengths[slot] = uint16_t(to->length);
    Propagate(leaf, delta);
}

void ChunkIndex::Update(CBufferChunk* chunk)
{
    ChunkIndexLeaf* leaf = chunk->leaf;
    const int slot = SlotOf(leaf, chunk);
    const int64_t delta = int64_t(chunk->length) - leaf->lengths[slot];
    leaf->lengths[slot] = uint16_t(chunk->length);
    Propagate(leaf, delta);
}

// ---------------------------------------------------------------- lookup

CBufferChunk* ChunkIndex::Find(int64_t offset, int64_t* chunkStart) const
{
    int64_t start = 0;
    const ChunkIndexNode* node = root_;
    while (!node->isLeaf) {
        const auto* inner = static_cast<const ChunkIndexInner*>(node);
        int i = 0;
        while (i + 1 < inner->count && offset - start > inner->bytes[i])
            start += inner->bytes[i++];
        node = inner->children[i];
    }
    const auto* leaf = static_cast<const ChunkIndexLeaf*>(node);
    int i = 0;
    while (i + 1 < leaf->count && offset - start > leaf->lengths[i])
        start += leaf->lengths[i++];
    *chunkStart = start;
    return leaf->chunks[i];
}

int64_t ChunkIndex::MemoryBytes() const
{
    return leaves_ * int64_t(sizeof(ChunkIndexLeaf)) + inners_ * int64_t(sizeof(ChunkIndexInner)) +
           chunkCount_ * int64_t(sizeof(ChunkIndexLeaf*));
}

// ---------------------------------------------------------------- checking

bool ChunkIndex::CheckNode(const ChunkIndexNode* node, const CBufferChunk*& expected, int64_t& bytes, int depth,
                           int& leafDepth, std::string* why) const
{
    auto fail = [why](const std::string& text) {
        if (why)
            *why = "index: " + text;
        return false;
    };
    if (node->count == 0 && node != root_)
        return fail("empty node below the root");
    if (node->isLeaf) {
        if (leafDepth >= 0 && leafDepth != depth)
            return fail("leaves at different depths");
        leafDepth = depth;
        const auto* leaf = static_cast<const ChunkIndexLeaf*>(node);
        for (int i = 0; i < leaf->count; ++i) {
            const CBufferChunk* chunk = leaf->chunks[i];
            if (chunk != expected)
                return fail("leaf order differs from the list at offset " + std::to_string(bytes));
            if (chunk->leaf != leaf)
                return fail("chunk does not point back at its leaf at offset " + std::to_string(bytes));
            if (leaf->lengths[i] != chunk->length)
                return fail("stale length at offset " + std::to_string(bytes));
            bytes += chunk->length;
            expected = chunk->next;
        }
        return true;
    }
    const auto* inner = static_cast<const ChunkIndexInner*>(node);
    for (int i = 0; i < inner->count; ++i) {
        const ChunkIndexNode* child = inner->children[i];
        if (child->parent != inner || child->slot != i)
            return fail("child's parent link is wrong");
        const int64_t before = bytes;
        if (!CheckNode(child, expected, bytes, depth + 1, leafDepth, why))
            return false;
        if (bytes - before != inner->bytes[i])
            return fail("subtree count " + std::to_string(inner->bytes[i]) + " but it holds " +
                        std::to_string(bytes - before));
    }
    return true;
}

bool ChunkIndex::Check(const CBufferChunk* first, int64_t size, std::string* why) const
{
    if (root_->parent) {
        if (why)
            *why = "index: the root has a parent";
        return false;
    }
    const CBufferChunk* expected = first;
    int64_t bytes = 0;
    int leafDepth = -1;
    if (!CheckNode(root_, expected, bytes, 0, leafDepth, why))
        return false;
    if (expected) {
        if (why)
            *why = "index: chunks after the index's last leaf";
        return false;
    }
    if (bytes != size) {
        if (why)
            *why = "index: holds " + std::to_string(bytes) + " bytes, buffer " + std::to_string(size);
        return false;
    }
    return true;
}

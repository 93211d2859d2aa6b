#include "ChunkIndex.h"

#include "ChunkHeap.h"

#include <cstring>
#include <new>

namespace {
constexpr int kLeafSlots = ChunkIndexLeaf::kSlots;
constexpr int kInnerSlots = ChunkIndexInner::kSlots;
// The leaf table grows by doubling from one page of entries.
constexpr uint32_t kFirstTableEntries = 512;
} // namespace

ChunkIndex::ChunkIndex(ChunkHeap& heap) : heap_(heap), root_(&rootLeaf_) { Forget(); }

ChunkIndex::~ChunkIndex() { heap_.FreeLarge(table_, size_t(tableCapacity_) * sizeof(uintptr_t)); }

void ChunkIndex::Forget()
{
    rootLeaf_.parent = nullptr;
    rootLeaf_.number = 0;
    rootLeaf_.slot = 0;
    rootLeaf_.count = 0;
    rootLeaf_.isLeaf = true;
    root_ = &rootLeaf_;
    loadLeaf_ = &rootLeaf_;
    spareLeaf_ = nullptr;
    spareInnerCount_ = 0;
    leaves_ = inners_ = 0;
    extentSlots_ = 0;
    heap_.FreeLarge(table_, size_t(tableCapacity_) * sizeof(uintptr_t));
    table_ = nullptr;
    tableCapacity_ = 0;
    tableUsed_ = 1;
    freeNumber_ = 0;
    hintLeaf_ = nullptr;
    hintSlot_ = 0;
}

// ---------------------------------------------------------------- nodes

bool ChunkIndex::TakeLeafNumber(uint32_t* number)
{
    if (freeNumber_ != 0) {
        *number = freeNumber_;
        freeNumber_ = uint32_t(table_[freeNumber_] >> 1);
        return true;
    }
    if (tableUsed_ >= tableCapacity_) {
        if (tableCapacity_ >= UINT32_MAX / 2)
            return false;
        const uint32_t capacity = tableCapacity_ ? tableCapacity_ * 2 : kFirstTableEntries;
        auto* grown = static_cast<uintptr_t*>(heap_.AllocateLarge(size_t(capacity) * sizeof(uintptr_t)));
        if (!grown)
            return false;
        if (table_)
            std::memcpy(grown, table_, size_t(tableUsed_) * sizeof(uintptr_t));
        heap_.FreeLarge(table_, size_t(tableCapacity_) * sizeof(uintptr_t));
        table_ = grown;
        tableCapacity_ = capacity;
    }
    *number = tableUsed_++;
    return true;
}

ChunkIndexLeaf* ChunkIndex::NewLeaf()
{
    void* memory = heap_.Allocate(sizeof(ChunkIndexLeaf));
    if (!memory)
        return nullptr;
    uint32_t number = 0;
    if (!TakeLeafNumber(&number)) {
        heap_.Free(memory, sizeof(ChunkIndexLeaf));
        return nullptr;
    }
    auto* leaf = new (memory) ChunkIndexLeaf{};
    leaf->isLeaf = true;
    leaf->number = number;
    table_[number] = reinterpret_cast<uintptr_t>(leaf);
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
        table_[node->number] = (uintptr_t(freeNumber_) << 1) | 1;
        freeNumber_ = node->number;
        heap_.Free(node, sizeof(ChunkIndexLeaf));
        --leaves_;
    } else {
        heap_.Free(node, sizeof(ChunkIndexInner));
        --inners_;
    }
}

bool ChunkIndex::ReserveFor(const ChunkIndexLeaf* leaf)
{
    if (leaf->count < kLeafSlots)
        return true;
    int inners = 0;
    const ChunkIndexInner* parent = leaf->parent;
    while (parent && parent->count == kInnerSlots) {
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

ChunkIndexLeaf* ChunkIndex::TakeSpareLeaf()
{
    ChunkIndexLeaf* leaf = spareLeaf_;
    spareLeaf_ = nullptr;
    return leaf;
}

int64_t ChunkIndex::Total(const ChunkIndexNode* node)
{
    int64_t total = 0;
    if (node->isLeaf) {
        const auto* leaf = static_cast<const ChunkIndexLeaf*>(node);
        for (int i = 0; i < leaf->count; ++i)
            total += leaf->Length(i);
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

// An edit looks up the chunk a seek just found, or one next to it, several
// times over; the hint saves scanning (and fetching) the leaf each time. When
// the hint misses, the scan still starts at the hint: edits that sweep through
// the file (replace all, or a run of edits moving forward) find their chunk a
// few slots further on, in lines the last edit already fetched.
int ChunkIndex::SlotOf(const ChunkIndexLeaf* leaf, const CBufferChunk* chunk) const
{
    int start = 0;
    if (leaf == hintLeaf_ && hintSlot_ < leaf->count) {
        for (int slot = hintSlot_ - 1; slot <= hintSlot_ + 1; ++slot)
            if (slot >= 0 && slot < leaf->count && leaf->chunks[slot] == chunk)
                return hintSlot_ = slot;
        start = hintSlot_;
    }
    int slot = start;
    while (slot < leaf->count && leaf->chunks[slot] != chunk)
        ++slot;
    if (slot == leaf->count) {
        slot = 0;
        while (leaf->chunks[slot] != chunk)
            ++slot;
    }
    hintLeaf_ = leaf;
    hintSlot_ = slot;
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

ChunkIndexLeaf* ChunkIndex::Neighbour(const ChunkIndexLeaf* leaf, int side) const
{
    const ChunkIndexInner* parent = leaf->parent;
    if (!parent)
        return nullptr;
    const int slot = leaf->slot + side;
    if (slot < 0 || slot >= parent->count)
        return nullptr;
    return static_cast<ChunkIndexLeaf*>(parent->children[slot]);
}

// ---------------------------------------------------------------- moving entries between leaves

void ChunkIndex::MoveTailToFront(ChunkIndexLeaf* from, ChunkIndexLeaf* to, int count)
{
    std::memmove(to->chunks + count, to->chunks, size_t(to->count) * sizeof(to->chunks[0]));
    std::memmove(to->lengths + count, to->lengths, size_t(to->count) * sizeof(to->lengths[0]));
    const int first = from->count - count;
    int64_t moved = 0;
    for (int i = 0; i < count; ++i) {
        to->chunks[i] = from->chunks[first + i];
        to->lengths[i] = from->lengths[first + i];
        to->chunks[i]->leaf = to->number;
        moved += to->Length(i);
    }
    from->count = int16_t(from->count - count);
    to->count = int16_t(to->count + count);
    Propagate(from, -moved);
    Propagate(to, moved);
}

void ChunkIndex::MoveHeadToEnd(ChunkIndexLeaf* from, ChunkIndexLeaf* to, int count)
{
    int64_t moved = 0;
    for (int i = 0; i < count; ++i) {
        to->chunks[to->count + i] = from->chunks[i];
        to->lengths[to->count + i] = from->lengths[i];
        from->chunks[i]->leaf = to->number;
        moved += from->Length(i);
    }
    std::memmove(from->chunks, from->chunks + count, size_t(from->count - count) * sizeof(from->chunks[0]));
    std::memmove(from->lengths, from->lengths + count, size_t(from->count - count) * sizeof(from->lengths[0]));
    from->count = int16_t(from->count - count);
    to->count = int16_t(to->count + count);
    Propagate(from, -moved);
    Propagate(to, moved);
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

// A full inner node splits in half, except when the new entry goes at its
// very end: then the new sibling starts with that entry alone, so that
// appending leaves every node full.
void ChunkIndex::InsertChild(ChunkIndexInner* parent, int position, ChunkIndexNode* child, int64_t bytes)
{
    if (parent->count == kInnerSlots) {
        ChunkIndexInner* sibling = TakeSpareInner();
        if (!parent->parent)
            GrowRoot(parent);
        const int half = position == kInnerSlots ? kInnerSlots : kInnerSlots / 2;
        int64_t moved = 0;
        for (int i = half; i < kInnerSlots; ++i) {
            ChunkIndexNode* movedChild = parent->children[i];
            sibling->children[i - half] = movedChild;
            sibling->bytes[i - half] = parent->bytes[i];
            movedChild->parent = sibling;
            movedChild->slot = uint8_t(i - half);
            moved += parent->bytes[i];
        }
        sibling->count = int16_t(kInnerSlots - half);
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
        parent->children[i]->slot = uint8_t(i);
    }
    parent->children[position] = child;
    parent->bytes[position] = bytes;
    child->parent = parent;
    child->slot = uint8_t(position);
    ++parent->count;
    Propagate(parent, bytes);
}

ChunkIndexLeaf* ChunkIndex::SplitOff(ChunkIndexLeaf* leaf)
{
    ChunkIndexLeaf* sibling = TakeSpareLeaf();
    if (!leaf->parent)
        GrowRoot(leaf);
    InsertChild(leaf->parent, leaf->slot + 1, sibling, 0);
    return sibling;
}

// Random insertions would leave split leaves half empty. Moving entries to a
// neighbour with room, and splitting two nearly full neighbours into three,
// keeps leaves about two-thirds full or more wherever insertions land. A
// neighbour takes entries only when it has a quarter free: every moved entry
// rewrites its chunk's header (a cache miss each), and moving a few entries
// at a time would make every other insertion pay for it instead of one in
// many. Every leaf involved keeps at least one free slot, so the insertion
// that follows fits wherever its anchor ended up.
void ChunkIndex::MakeRoom(ChunkIndexLeaf* leaf)
{
    constexpr int kShiftRoom = kLeafSlots / 4;
    ChunkIndexLeaf* left = Neighbour(leaf, -1);
    ChunkIndexLeaf* right = Neighbour(leaf, +1);
    if (left && kLeafSlots - left->count >= kShiftRoom) {
        MoveHeadToEnd(leaf, left, (kLeafSlots - left->count) / 2);
    } else if (right && kLeafSlots - right->count >= kShiftRoom) {
        MoveTailToFront(leaf, right, (kLeafSlots - right->count) / 2);
    } else if (left || right) {
        ChunkIndexLeaf* a = left ? left : leaf;
        ChunkIndexLeaf* b = left ? leaf : right;
        ChunkIndexLeaf* middle = SplitOff(a);
        const int third = (a->count + b->count) / 3;
        MoveTailToFront(a, middle, a->count - third);
        MoveHeadToEnd(b, middle, b->count - third);
    } else {
        ChunkIndexLeaf* sibling = SplitOff(leaf);
        MoveTailToFront(leaf, sibling, leaf->count / 2);
    }
}

void ChunkIndex::InsertLeafSlot(ChunkIndexLeaf* leaf, int position, CBufferChunk* chunk)
{
    for (int i = leaf->count; i > position; --i) {
        leaf->chunks[i] = leaf->chunks[i - 1];
        leaf->lengths[i] = leaf->lengths[i - 1];
    }
    leaf->chunks[position] = chunk;
    leaf->lengths[position] = ChunkIndexLeaf::Encode(chunk);
    extentSlots_ += chunk->IsExtent();
    chunk->leaf = leaf->number;
    ++leaf->count;
    hintLeaf_ = leaf;
    hintSlot_ = position;
    Propagate(leaf, chunk->Size());
}

bool ChunkIndex::Append(CBufferChunk* chunk)
{
    ChunkIndexLeaf* leaf = LastLeaf();
    if (!ReserveFor(leaf))
        return false;
    // Appending starts a new leaf instead of rebalancing, so that chunks
    // added in order leave every leaf full.
    if (leaf->count == kLeafSlots)
        leaf = SplitOff(leaf);
    InsertLeafSlot(leaf, leaf->count, chunk);
    return true;
}

bool ChunkIndex::Insert(CBufferChunk* anchor, CBufferChunk* chunk, int after)
{
    ChunkIndexLeaf* leaf = LeafOf(anchor);
    if (!ReserveFor(leaf))
        return false;
    if (leaf->count == kLeafSlots) {
        MakeRoom(leaf);
        leaf = LeafOf(anchor);
    }
    InsertLeafSlot(leaf, SlotOf(leaf, anchor) + after, chunk);
    return true;
}

// ---------------------------------------------------------------- loading

ChunkIndexLeaf* ChunkIndex::NextLoadLeaf()
{
    ChunkIndexLeaf* leaf = NewLeaf();
    if (leaf)
        loadLeaf_ = leaf;
    return leaf;
}

// The leaves were made in list order, so their numbers are that order: the
// root leaf is 0 and the others follow. Each level above is built from the
// one below, full nodes first; the nodes of a level not yet linked to a
// parent are chained through their parent field.
bool ChunkIndex::FinishLoad()
{
    loadLeaf_ = nullptr;
    root_ = &rootLeaf_;
    if (tableUsed_ == 1)
        return true;
    auto appendChild = [](ChunkIndexInner* inner, ChunkIndexNode* child) {
        inner->children[inner->count] = child;
        inner->bytes[inner->count] = Total(child);
        child->parent = inner;
        child->slot = uint8_t(inner->count);
        ++inner->count;
    };
    ChunkIndexInner* first = nullptr;
    ChunkIndexInner* last = nullptr;
    int64_t made = 0;
    auto place = [&](ChunkIndexNode* child) {
        if (!last || last->count == kInnerSlots) {
            ChunkIndexInner* inner = NewInner();
            if (!inner)
                return false;
            if (last)
                last->parent = inner;
            else
                first = inner;
            last = inner;
            ++made;
        }
        appendChild(last, child);
        return true;
    };
    for (uint32_t number = 0; number < tableUsed_; ++number) {
        ChunkIndexNode* leaf = number == 0 ? &rootLeaf_ : reinterpret_cast<ChunkIndexLeaf*>(table_[number]);
        if (!place(leaf))
            return false;
    }
    while (made > 1) {
        ChunkIndexInner* node = first;
        first = last = nullptr;
        made = 0;
        while (node) {
            auto* next = static_cast<ChunkIndexInner*>(node->parent);
            if (!place(node))
                return false;
            node = next;
        }
    }
    first->parent = nullptr;
    root_ = first;
    return true;
}

// ---------------------------------------------------------------- remove and change

void ChunkIndex::RemoveNode(ChunkIndexNode* node)
{
    ChunkIndexInner* parent = node->parent;
    for (int i = node->slot; i + 1 < parent->count; ++i) {
        parent->children[i] = parent->children[i + 1];
        parent->bytes[i] = parent->bytes[i + 1];
        parent->children[i]->slot = uint8_t(i);
    }
    --parent->count;
    FreeNode(node);
    if (parent->count == 0 && parent->parent)
        RemoveNode(parent);
}

void ChunkIndex::DropSingleChildRoots()
{
    while (!root_->isLeaf && static_cast<ChunkIndexInner*>(root_)->count == 1) {
        ChunkIndexNode* child = static_cast<ChunkIndexInner*>(root_)->children[0];
        FreeNode(root_);
        child->parent = nullptr;
        child->slot = 0;
        root_ = child;
    }
}

// A leaf a quarter full or less goes into a neighbour that takes it and still
// has a quarter free, so deletions do not leave many thin leaves and an
// insertion right after a merge does not split again at once.
void ChunkIndex::MergeIfLow(ChunkIndexLeaf* leaf)
{
    if (leaf->count > kLeafSlots / 4)
        return;
    if (ChunkIndexLeaf* left = Neighbour(leaf, -1); left && left->count + leaf->count <= kLeafSlots * 3 / 4) {
        MoveHeadToEnd(leaf, left, leaf->count);
        RemoveNode(leaf);
    } else if (ChunkIndexLeaf* right = Neighbour(leaf, +1);
               right && right->count + leaf->count <= kLeafSlots * 3 / 4) {
        MoveTailToFront(leaf, right, leaf->count);
        RemoveNode(leaf);
    }
}

void ChunkIndex::Remove(CBufferChunk* chunk)
{
    ChunkIndexLeaf* leaf = LeafOf(chunk);
    const int slot = SlotOf(leaf, chunk);
    const int64_t length = leaf->Length(slot);
    extentSlots_ -= leaf->lengths[slot] == ChunkIndexLeaf::kExtentLength;
    for (int i = slot; i + 1 < leaf->count; ++i) {
        leaf->chunks[i] = leaf->chunks[i + 1];
        leaf->lengths[i] = leaf->lengths[i + 1];
    }
    --leaf->count;
    Propagate(leaf, -length);
    if (leaf->count == 0 && leaf->parent)
        RemoveNode(leaf);
    else
        MergeIfLow(leaf);
    // A root with a single child is one level too many.
    DropSingleChildRoots();
}

void ChunkIndex::Replace(CBufferChunk* from, CBufferChunk* to)
{
    ChunkIndexLeaf* leaf = LeafOf(from);
    const int slot = SlotOf(leaf, from);
    to->leaf = leaf->number;
    SetLength(leaf, slot, to);
}

void ChunkIndex::Update(CBufferChunk* chunk)
{
    ChunkIndexLeaf* leaf = LeafOf(chunk);
    const int slot = SlotOf(leaf, chunk);
    // Every keystroke comes here for a memory chunk that already had its
    // slot: the delta against the stored length is all there is to do.
    const uint16_t stored = leaf->lengths[slot];
    if (!chunk->IsExtent() && stored != ChunkIndexLeaf::kExtentLength) {
        leaf->lengths[slot] = chunk->length;
        Propagate(leaf, int64_t(chunk->length) - stored);
        return;
    }
    SetLength(leaf, slot, chunk);
}

// Puts chunk in the slot with its present length. An extent's old length is
// not kept in the leaf (it is read from the extent, which has already
// changed), so the leaf's total is counted again instead; extents change
// seldom, memory chunks take the cheap way.
void ChunkIndex::SetLength(ChunkIndexLeaf* leaf, int slot, CBufferChunk* chunk)
{
    const bool wasExtent = leaf->lengths[slot] == ChunkIndexLeaf::kExtentLength;
    if (!wasExtent && !chunk->IsExtent()) {
        const int64_t delta = chunk->Size() - leaf->lengths[slot];
        leaf->chunks[slot] = chunk;
        leaf->lengths[slot] = chunk->length;
        Propagate(leaf, delta);
        return;
    }
    leaf->chunks[slot] = chunk;
    leaf->lengths[slot] = ChunkIndexLeaf::Encode(chunk);
    extentSlots_ += int64_t(chunk->IsExtent()) - int64_t(wasExtent);
    if (leaf->parent)
        Propagate(leaf, Total(leaf) - leaf->parent->bytes[leaf->slot]);
}

// ---------------------------------------------------------------- lookup

CBufferChunk* ChunkIndex::Find(int64_t offset, int64_t* chunkStart, int* slot) const
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
    if (extentSlots_ == 0) {
        // No extent anywhere: the stored lengths are the lengths, and the
        // scan needs no look for the extent mark on every slot.
        while (i + 1 < leaf->count && offset - start > leaf->lengths[i])
            start += leaf->lengths[i++];
    } else {
        while (i + 1 < leaf->count && offset - start > leaf->Length(i))
            start += leaf->Length(i++);
    }
    *chunkStart = start;
    if (slot)
        *slot = i;
    hintLeaf_ = leaf;
    hintSlot_ = i;
    return leaf->chunks[i];
}

// The chunk headers are no larger for the index (the leaf number sits in
// room 16-bit lengths left free), so nodes and the table are all it costs.
int64_t ChunkIndex::MemoryBytes() const
{
    return leaves_ * int64_t(sizeof(ChunkIndexLeaf)) + inners_ * int64_t(sizeof(ChunkIndexInner)) +
           int64_t(tableCapacity_) * int64_t(sizeof(uintptr_t));
}

// ---------------------------------------------------------------- checking

bool ChunkIndex::CheckNode(const ChunkIndexNode* node, const CBufferChunk*& expected, int64_t& bytes, int depth,
                           int& leafDepth, int64_t& leavesSeen, std::string* why) const
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
        if (leaf != &rootLeaf_) {
            ++leavesSeen;
            if (leaf->number == 0 || leaf->number >= tableUsed_ ||
                table_[leaf->number] != reinterpret_cast<uintptr_t>(leaf))
                return fail("leaf table does not map the leaf's number to it at offset " + std::to_string(bytes));
        } else if (leaf->number != 0) {
            return fail("the root leaf's number is not 0");
        }
        for (int i = 0; i < leaf->count; ++i) {
            const CBufferChunk* chunk = leaf->chunks[i];
            if (chunk != expected)
                return fail("leaf order differs from the list at offset " + std::to_string(bytes));
            if (chunk->leaf != leaf->number)
                return fail("chunk does not point back at its leaf at offset " + std::to_string(bytes));
            if (leaf->lengths[i] != ChunkIndexLeaf::Encode(chunk))
                return fail("stale length at offset " + std::to_string(bytes));
            bytes += chunk->Size();
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
        if (!CheckNode(child, expected, bytes, depth + 1, leafDepth, leavesSeen, why))
            return false;
        if (bytes - before != inner->bytes[i])
            return fail("subtree count " + std::to_string(inner->bytes[i]) + " but it holds " +
                        std::to_string(bytes - before));
    }
    return true;
}

// Every leaf the index allocated is in the tree or is the spare, each has
// its own table entry, and the free numbers form one chain over the rest.
bool ChunkIndex::CheckLeafTable(int64_t leavesSeen, std::string* why) const
{
    auto fail = [why](const std::string& text) {
        if (why)
            *why = "index: " + text;
        return false;
    };
    if (spareLeaf_) {
        ++leavesSeen;
        if (table_[spareLeaf_->number] != reinterpret_cast<uintptr_t>(spareLeaf_))
            return fail("the spare leaf has no table entry");
    }
    if (leavesSeen != leaves_)
        return fail(std::to_string(leaves_) + " leaves allocated but " + std::to_string(leavesSeen) + " in use");
    int64_t freeCount = 0;
    for (uint32_t number = freeNumber_; number != 0; number = uint32_t(table_[number] >> 1)) {
        if (number >= tableUsed_ || (table_[number] & 1) == 0 || ++freeCount > int64_t(tableUsed_))
            return fail("broken chain of free leaf numbers");
    }
    if (freeCount + leaves_ + 1 != int64_t(tableUsed_))
        return fail("leaf numbers lost: " + std::to_string(tableUsed_) + " handed out, " +
                    std::to_string(leaves_) + " in use, " + std::to_string(freeCount) + " free");
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
    int64_t leavesSeen = 0;
    if (!CheckNode(root_, expected, bytes, 0, leafDepth, leavesSeen, why))
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
    int64_t extents = 0;
    for (const CBufferChunk* chunk = first; chunk; chunk = chunk->next)
        extents += chunk->IsExtent();
    if (extents != extentSlots_) {
        if (why)
            *why = "index: counts " + std::to_string(extentSlots_) + " extents, the list has " +
                   std::to_string(extents);
        return false;
    }
    return CheckLeafTable(leavesSeen, why);
}

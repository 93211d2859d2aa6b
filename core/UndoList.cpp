#include "UndoList.h"

#include "BinEditDoc.h"
#include "BufferPos.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>

namespace {

// The RestoreMany block: n, n pairs (offset, value index), k, k values,
// packed without padding.
constexpr size_t kCountBytes = sizeof(int64_t);
constexpr size_t kPairBytes = sizeof(int64_t) + sizeof(int32_t);

struct ManyBlockView {
    int64_t n = 0;
    const uint8_t* pairs = nullptr;
    int64_t k = 0;
    const uint8_t* values = nullptr;

    explicit ManyBlockView(const uint8_t* block)
    {
        std::memcpy(&n, block, kCountBytes);
        pairs = block + kCountBytes;
        std::memcpy(&k, pairs + size_t(n) * kPairBytes, kCountBytes);
        values = pairs + size_t(n) * kPairBytes + kCountBytes;
    }
    OccurrencePair Pair(int64_t i) const
    {
        OccurrencePair pair{};
        std::memcpy(&pair.offset, pairs + size_t(i) * kPairBytes, sizeof pair.offset);
        std::memcpy(&pair.valueIndex, pairs + size_t(i) * kPairBytes + sizeof pair.offset, sizeof pair.valueIndex);
        return pair;
    }
};

int64_t ManyBlockSize(int64_t n, int64_t k, int64_t valueLength)
{
    return int64_t(kCountBytes + kPairBytes * size_t(n) + kCountBytes) + k * valueLength;
}

uint8_t* BuildManyBlock(const std::vector<OccurrencePair>& pairs, int64_t k, const uint8_t* values,
                        int64_t valueLength, int64_t& size)
{
    const auto n = int64_t(pairs.size());
    size = ManyBlockSize(n, k, valueLength);
    auto* block = new (std::nothrow) uint8_t[size_t(size)];
    if (!block)
        return nullptr;
    uint8_t* p = block;
    std::memcpy(p, &n, kCountBytes);
    p += kCountBytes;
    for (const OccurrencePair& pair : pairs) {
        std::memcpy(p, &pair.offset, sizeof pair.offset);
        std::memcpy(p + sizeof pair.offset, &pair.valueIndex, sizeof pair.valueIndex);
        p += kPairBytes;
    }
    std::memcpy(p, &k, kCountBytes);
    p += kCountBytes;
    if (k > 0 && valueLength > 0)
        std::memcpy(p, values, size_t(k) * size_t(valueLength));
    return block;
}
} // namespace

CUndoList::~CUndoList() { ClearOnly(); }

void CUndoList::Connect(CBinEditDoc* document, CUndoList* partner)
{
    document_ = document;
    partner_ = partner;
}

int32_t CUndoList::Count() const
{
    if (capacity_ == 0)
        return 0;
    return (top_ - bottom_ + capacity_) % capacity_;
}

const UndoEntry& CUndoList::Top() const { return entries_[Previous(top_)]; }

int64_t CUndoList::StoredBytes() const
{
    int64_t total = 0;
    for (int32_t i = bottom_; i != top_; i = Next(i))
        total += entries_[i].dataSize;
    return total;
}

void CUndoList::Report(CoreError error)
{
    if (document_)
        document_->ReportProblem(CoreProblem{error});
}

void CUndoList::FreeData(UndoEntry& entry)
{
    delete[] entry.data;
    entry.data = nullptr;
    entry.dataSize = 0;
    delete entry.segments;
    entry.segments = nullptr;
}

void CUndoList::ClearOnly()
{
    for (int32_t i = 0; i < capacity_; ++i)
        FreeData(entries_[i]);
    top_ = bottom_ = 0;
}

void CUndoList::Clear()
{
    ClearOnly();
    if (!isRedo_ && partner_)
        partner_->ClearOnly();
}

void CUndoList::MarkAllModified()
{
    for (int32_t i = bottom_; i != top_; i = Next(i))
        entries_[size_t(i)].wasModified = 1;
}

bool CUndoList::Resize(int32_t levels)
{
    const int32_t capacity = levels > 0 ? levels + 1 : 0;
    if (capacity == capacity_)
        return true;
    Clear();
    entries_.reset();
    capacity_ = 0;
    if (capacity == 0)
        return true;
    entries_.reset(new (std::nothrow) UndoEntry[size_t(capacity)]());
    if (!entries_) {
        Report(CoreError::NoMemoryForHistory);
        return false;
    }
    capacity_ = capacity;
    return true;
}

// ---------------------------------------------------------------- pushing

UndoEntry& CUndoList::BeginEntry(int64_t offset, UndoKind kind, int64_t count, int64_t other)
{
    UndoEntry& entry = entries_[top_];
    FreeData(entry);
    entry.offset = offset;
    entry.count = count;
    entry.other = other;
    entry.kind = kind;
    entry.wasModified = document_ && document_->IsModified() ? 1 : 0;
    return entry;
}

void CUndoList::CommitEntry()
{
    top_ = Next(top_);
    if (top_ == bottom_)
        bottom_ = Next(bottom_);
    FreeData(entries_[top_]);  // the dropped oldest entry, if any
}

bool CUndoList::Push(const CBufferPos& cursor, UndoKind kind, int64_t count, int64_t other)
{
    return PushEntry(cursor, kind, count, other, PushRole::Record);
}

bool CUndoList::PushEntry(const CBufferPos& cursor, UndoKind kind, int64_t count, int64_t other, PushRole role)
{
    if (capacity_ == 0)
        return true;  // no levels: edits go ahead without history
    UndoEntry& entry = BeginEntry(cursor.Offset(), kind, count, other);
    if (kind == UndoKind::ReinsertBytes || kind == UndoKind::RestoreBytes) {
        switch (StoreBytes(entry, cursor, role)) {
        case StoreResult::Refused: return false;
        case StoreResult::Unrecorded: return true;
        case StoreResult::Stored: break;
        }
    }
    CommitEntry();
    return true;
}

// Copies the bytes an entry restores. When they are too many, or memory runs
// out, the user chooses between giving up the history and not editing.
CUndoList::StoreResult CUndoList::StoreBytes(UndoEntry& entry, const CBufferPos& cursor, PushRole role)
{
    // Bytes that cannot be read from the disk cannot be restored: the edit
    // is not made (the buffer has said why).
    if (entry.count <= UNDO_INLINE_BYTES)
        return cursor.Read(entry.inlineBytes, entry.count) == entry.count ? StoreResult::Stored : StoreResult::Refused;
    if (entry.count <= MAX_UNDO_BLOCK) {
        entry.data = new (std::nothrow) uint8_t[size_t(entry.count)];
        if (entry.data) {
            entry.dataSize = entry.count;
            return cursor.Read(entry.data, entry.count) == entry.count ? StoreResult::Stored : StoreResult::Refused;
        }
    } else if (StorePieces(entry, cursor)) {
        return StoreResult::Stored;
    }
    const HistoryLoss loss = role == PushRole::Record ? HistoryLoss::Undo : HistoryLoss::Redo;
    if (!document_ || !document_->ProceedWithoutHistory(loss))
        return StoreResult::Refused;
    // Going ahead without this entry: older entries would no longer match the
    // buffer, so they go. A failed inverse clears only its own list.
    if (role == PushRole::Record)
        Clear();
    else
        ClearOnly();
    return StoreResult::Unrecorded;
}

// A large entry names the stretches that still lie in a file on disk and
// copies only the bytes held in memory, so its size costs no more than the
// memory those bytes already take. False when that memory cannot be had.
bool CUndoList::StorePieces(UndoEntry& entry, const CBufferPos& cursor)
{
    if (failPieces_)
        return false;
    auto* segments = new (std::nothrow) std::vector<StoredSegment>();
    std::unique_ptr<uint8_t[]> bytes;
    int64_t byteCount = 0;
    if (!segments || !cursor.Buffer()->DescribeRange(cursor.Offset(), entry.count, *segments, bytes, byteCount)) {
        delete segments;
        return false;
    }
    entry.segments = segments;
    entry.data = bytes.release();
    entry.dataSize = byteCount;
    return true;
}

bool CUndoList::PushReplaceAll(const ReplaceAllRecord& record)
{
    if (capacity_ == 0)
        return true;
    const int64_t firstOffset = record.pairs->empty() ? 0 : record.pairs->front().offset;
    UndoEntry& entry = BeginEntry(firstOffset, UndoKind::RestoreMany, record.oldLength, record.newLength);
    if (!StoreReplaceAll(entry, record))
        return false;
    CommitEntry();
    return true;
}

bool CUndoList::StoreReplaceAll(UndoEntry& entry, const ReplaceAllRecord& record)
{
    entry.data = BuildManyBlock(*record.pairs, record.valueCount, record.values, record.oldLength, entry.dataSize);
    if (entry.data)
        return true;
    Report(CoreError::HistoryOutOfSync);
    Clear();
    return false;
}

// ---------------------------------------------------------------- inverses

bool CUndoList::PushInverse(const UndoEntry& entry, CBufferPos& cursor)
{
    CUndoList& partner = *partner_;
    switch (entry.kind) {
    case UndoKind::ReinsertBytes:
        return partner.PushEntry(cursor, UndoKind::RemoveBytes, entry.count, 0, PushRole::Inverse);
    case UndoKind::RemoveBytes:
        return partner.PushEntry(cursor, UndoKind::ReinsertBytes, entry.count, 0, PushRole::Inverse);
    case UndoKind::RestoreBytes:
        return partner.PushEntry(cursor, UndoKind::RestoreBytes, entry.other, entry.count, PushRole::Inverse);
    case UndoKind::RestoreMany:
        return partner.PushManyInverse(entry, cursor);
    case UndoKind::MoveBack: {
        CBufferPos at(cursor);
        if (entry.offset < entry.other) {
            at.Seek(entry.other + entry.count);
            return partner.PushEntry(at, UndoKind::MoveBack, entry.count, entry.offset, PushRole::Inverse);
        }
        at.Seek(entry.other);
        return partner.PushEntry(at, UndoKind::MoveBack, entry.count, entry.offset - entry.count, PushRole::Inverse);
    }
    }
    return false;
}

// The inverse of a replace-all stores what each occurrence holds now, each
// distinct value once, at the offsets the occurrences will have once the
// entry is applied.
bool CUndoList::PushManyInverse(const UndoEntry& entry, const CBufferPos& cursor)
{
    if (capacity_ == 0)
        return true;
    const ManyBlockView block(entry.data);
    const int64_t valueLength = entry.other;  // what each occurrence is now
    std::vector<OccurrencePair> pairs;
    std::vector<uint8_t> values;
    std::unordered_map<std::string, int32_t> seen;
    try {
        pairs.reserve(size_t(block.n));
        std::string current(size_t(valueLength), '\0');
        CBufferPos reader(cursor);
        int64_t shift = 0;
        for (int64_t i = 0; i < block.n; ++i) {
            const OccurrencePair pair = block.Pair(i);
            reader.Seek(pair.offset);
            reader.Read(current.data(), valueLength);
            auto [it, added] = seen.emplace(current, int32_t(seen.size()));
            if (added)
                values.insert(values.end(), current.begin(), current.end());
            pairs.push_back({pair.offset + shift, it->second});
            shift += entry.count - entry.other;
        }
    } catch (const std::bad_alloc&) {
        Report(CoreError::HistoryOutOfSync);
        ClearOnly();
        return false;
    }
    ReplaceAllRecord record{int32_t(valueLength), int32_t(entry.count), int32_t(seen.size()), values.data(), &pairs};
    UndoEntry& inverse = BeginEntry(pairs.empty() ? 0 : pairs.front().offset, UndoKind::RestoreMany, valueLength,
                                    entry.count);
    inverse.data = BuildManyBlock(pairs, record.valueCount, record.values, valueLength, inverse.dataSize);
    if (!inverse.data) {
        Report(CoreError::HistoryOutOfSync);
        ClearOnly();
        return false;
    }
    CommitEntry();
    return true;
}

// ---------------------------------------------------------------- applying

int64_t CUndoList::ApplyTop(CBufferPos& cursor)
{
    if (IsEmpty())
        return -1;

    top_ = Previous(top_);
    UndoEntry& entry = entries_[top_];
    cursor.Seek(entry.offset);
    if (partner_ && !PushInverse(entry, cursor)) {
        top_ = Next(top_);
        return -1;
    }
    lastEditLength_ = 0;
    bool shortInsert = false;
    const int64_t result = Apply(entry, cursor, shortInsert);
    if (result < 0 || shortInsert) {
        // The buffer no longer matches either history.
        ClearOnly();
        if (partner_)
            partner_->ClearOnly();
    } else {
        if (document_)
            document_->SetModifiedFlag(entry.wasModified != 0);
        FreeData(entry);
    }
    return result;
}

int64_t CUndoList::Apply(UndoEntry& entry, CBufferPos& cursor, bool& shortInsert)
{
    switch (entry.kind) {
    case UndoKind::ReinsertBytes: {
        lastEditLength_ = entry.count;
        if (entry.segments) {
            shortInsert = cursor.Buffer()->InsertPieces(cursor, *entry.segments, entry.data) < entry.count;
            return entry.offset;
        }
        const int64_t inserted = cursor.Insert(entry.count);
        shortInsert = inserted < entry.count;
        cursor.Write(entry.StoredBytes(), inserted);
        return entry.offset;
    }
    case UndoKind::RemoveBytes:
        cursor.Delete(entry.count);
        return entry.offset;
    case UndoKind::RestoreBytes:
        lastEditLength_ = entry.count;
        if (entry.segments) {
            cursor.Delete(entry.other);
            shortInsert = cursor.Buffer()->InsertPieces(cursor, *entry.segments, entry.data) < entry.count;
            return entry.offset;
        }
        cursor.Write(entry.StoredBytes(), ResizeRegion(cursor, entry.other, entry.count, shortInsert));
        return entry.offset;
    case UndoKind::RestoreMany:
        return ApplyMany(entry, cursor, shortInsert);
    case UndoKind::MoveBack:
        return ApplyMove(entry, cursor, shortInsert);
    }
    return -1;
}

// Makes the region of oldLength bytes at the cursor newLength bytes long and
// returns how many bytes may be written there: fewer than newLength when the
// insertion came out short, so that bytes after the region are never
// overwritten.
int64_t CUndoList::ResizeRegion(CBufferPos& cursor, int64_t oldLength, int64_t newLength, bool& shortInsert)
{
    if (newLength > oldLength) {
        const int64_t inserted = cursor.Insert(newLength - oldLength);
        shortInsert = inserted < newLength - oldLength;
        return oldLength + inserted;
    }
    if (newLength < oldLength)
        cursor.Delete(oldLength - newLength);
    return newLength;
}

int64_t CUndoList::ApplyMany(const UndoEntry& entry, CBufferPos& cursor, bool& shortInsert)
{
    // The cursor itself makes the edits, so it never holds a stale chunk.
    const ManyBlockView block(entry.data);
    CBufferPos& editor = cursor;
    int64_t shift = 0;
    const int64_t difference = entry.count - entry.other;
    for (int64_t i = 0; i < block.n && !shortInsert; ++i) {
        const OccurrencePair pair = block.Pair(i);
        editor.Seek(int64_t(pair.offset + shift));
        shift += difference;
        const int64_t room = ResizeRegion(editor, entry.other, entry.count, shortInsert);
        editor.Write(block.values + size_t(pair.valueIndex) * size_t(entry.count), room);
    }
    cursor.Seek(entry.offset);
    return entry.offset;
}

int64_t CUndoList::ApplyMove(const UndoEntry& entry, CBufferPos& cursor, bool& shortInsert)
{
    // The block moves as pieces: nothing of it is read or copied but the
    // bytes it has in memory.
    std::vector<StoredSegment> segments;
    std::unique_ptr<uint8_t[]> bytes;
    int64_t byteCount = 0;
    if (entry.other < entry.offset)
        cursor.Back(entry.count);
    if (!cursor.Buffer()->DescribeRange(cursor.Offset(), entry.count, segments, bytes, byteCount)) {
        Report(CoreError::HistoryOutOfSync);
        return -1;
    }
    cursor.Delete(entry.count);
    cursor.Seek(entry.other);
    shortInsert = cursor.Buffer()->InsertPieces(cursor, segments, bytes.get()) < entry.count;
    lastEditLength_ = entry.count;
    return std::min(entry.offset, entry.other);
}

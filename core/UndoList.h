#pragma once
// A bounded history of edits: a ring of entries with one slot always empty,
// so a list with L levels keeps at most L entries and a push onto a full
// ring drops the oldest. The undo and redo lists of a document are partners:
// applying an entry from one pushes its inverse onto the other.
#include "CoreProblem.h"
#include "UndoEntry.h"

#include <memory>

class CBinEditDoc;
class CBufferPos;

class CUndoList {
public:
    explicit CUndoList(bool isRedo) : isRedo_(isRedo) {}
    ~CUndoList();
    CUndoList(const CUndoList&) = delete;
    CUndoList& operator=(const CUndoList&) = delete;

    void Connect(CBinEditDoc* document, CUndoList* partner);

    // Records an edit about to be made at the cursor (kinds other than
    // RestoreMany). Returns false when the edit must not be made.
    bool Push(const CBufferPos& cursor, UndoKind kind, int64_t count, int64_t other);
    bool PushReplaceAll(const ReplaceAllRecord& record);

    // Applies the newest entry through the cursor, pushing its inverse onto
    // the partner. Returns the lowest offset touched, or -1 when nothing was done.
    int64_t ApplyTop(CBufferPos& cursor);

    void Clear();
    // After a save: no entry leads back to the saved contents, so each
    // leaves the document modified.
    void MarkAllModified();
    bool Resize(int32_t levels);

    bool IsEmpty() const { return top_ == bottom_; }
    int32_t Count() const;
    int32_t Capacity() const { return capacity_; }
    bool IsRedo() const { return isRedo_; }
    // The newest entry (the list must not be empty).
    const UndoEntry& Top() const;
    // Bytes of stored data held by all entries.
    int64_t StoredBytes() const;

    // Test seam: storing a large entry's pieces fails as when memory runs out.
    void InjectPieceFailure(bool on) { failPieces_ = on; }

    // Bytes that this list's last ApplyTop wrote (0 for RemoveBytes and RestoreMany).
    int64_t LastEditLength() const { return lastEditLength_; }

private:
    enum class PushRole { Record, Inverse };
    enum class StoreResult { Stored, Refused, Unrecorded };

    bool PushEntry(const CBufferPos& cursor, UndoKind kind, int64_t count, int64_t other, PushRole role);
    StoreResult StoreBytes(UndoEntry& entry, const CBufferPos& cursor, PushRole role);
    bool StorePieces(UndoEntry& entry, const CBufferPos& cursor);
    bool PushInverse(const UndoEntry& entry, CBufferPos& cursor);
    bool PushManyInverse(const UndoEntry& entry, const CBufferPos& cursor);
    bool StoreReplaceAll(UndoEntry& entry, const ReplaceAllRecord& record);
    UndoEntry& BeginEntry(int64_t offset, UndoKind kind, int64_t count, int64_t other);
    void CommitEntry();
    void ClearOnly();
    int64_t Apply(UndoEntry& entry, CBufferPos& cursor, bool& shortInsert);
    static int64_t ResizeRegion(CBufferPos& cursor, int64_t oldLength, int64_t newLength, bool& shortInsert);
    int64_t ApplyMany(const UndoEntry& entry, CBufferPos& cursor, bool& shortInsert);
    int64_t ApplyMove(const UndoEntry& entry, CBufferPos& cursor, bool& shortInsert);
    int32_t Next(int32_t index) const { return index + 1 == capacity_ ? 0 : index + 1; }
    int32_t Previous(int32_t index) const { return index == 0 ? capacity_ - 1 : index - 1; }
    static void FreeData(UndoEntry& entry);
    void Report(CoreError error);

    std::unique_ptr<UndoEntry[]> entries_;
    int32_t capacity_ = 0;
    int32_t top_ = 0;
    int32_t bottom_ = 0;
    CBinEditDoc* document_ = nullptr;
    CUndoList* partner_ = nullptr;
    bool isRedo_;
    int64_t lastEditLength_ = 0;
    bool failPieces_ = false;
};

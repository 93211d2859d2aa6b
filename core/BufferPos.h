#pragma once
// A position in one file buffer, through which every read, write, insertion
// and deletion is made. Registered positions are told of every insertion and
// deletion made through another position, so they keep pointing at the same
// bytes; unregistered copies are cheap and meant for short-lived work.
#include "BufferChunk.h"

class CFileBuffer;

// What an insertion or deletion did, in offsets from before the edit.
// Positions inside [touchedStart, touchedEnd] may sit in chunks that were
// moved or freed and must find their chunk again; all others keep theirs.
struct BufferEdit {
    int64_t offset;
    int64_t count;
    int64_t touchedStart;
    int64_t touchedEnd;
};

class CBufferPos {
public:
    CBufferPos() = default;
    CBufferPos(const CBufferPos& other);             // same place, not registered
    CBufferPos& operator=(const CBufferPos& other);  // copies the place, keeps own registration
    virtual ~CBufferPos();

    int64_t Bind(CFileBuffer* buffer, bool registerIt, int64_t offset);
    void Unbind();

    int64_t Seek(int64_t offset);
    int64_t Forward(int64_t count);
    int64_t Back(int64_t count);

    int64_t Read(void* destination, int64_t count) const;
    int64_t Write(const void* source, int64_t count);
    int64_t Fill(uint8_t value, int64_t count);
    int64_t Insert(int64_t count);
    int64_t Delete(int64_t count);

    int64_t Offset() const { return offset_; }
    CFileBuffer* Buffer() const { return buffer_; }
    bool IsRegistered() const { return registered_; }
    CBufferChunk* Chunk() const { return chunk_; }
    int64_t OffsetInChunk() const { return offsetInChunk_; }

    // Reactions to an edit made through another position.
    virtual void OnInsert(const CBufferPos& editor, const BufferEdit& edit);
    virtual void OnDelete(const CBufferPos& editor, const BufferEdit& edit);
    // The buffer's contents were replaced as a whole (load or reset).
    virtual void OnReset();

protected:
    // Moves to newOffset after an edit, finding the chunk again when needed.
    void FollowEdit(const CBufferPos& editor, const BufferEdit& edit, int64_t newOffset);

private:
    friend class CFileBuffer;
    void PlaceAt(CBufferChunk* chunk, int64_t offsetInChunk, int64_t offset);
    void WalkForward(int64_t count);
    void WalkBack(int64_t count);
    void SkipToDataStart();  // from a chunk's end onto the next chunk's first byte

    CFileBuffer* buffer_ = nullptr;
    CBufferChunk* chunk_ = nullptr;
    int64_t offsetInChunk_ = 0;
    int64_t offset_ = 0;
    // Where chunk_ stands in its seek-index leaf, or -1 when not known. Only
    // a hint for the index (which checks it before use): an edit then finds
    // its chunk's entry without scanning the leaf. Kept up by seeks and walks
    // at no cost, since a walk reads the next chunk's header anyway.
    int16_t slot_ = -1;
    bool registered_ = false;
};

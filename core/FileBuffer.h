#pragma once
// The complete contents of one open file, held in memory as a list of chunks
// of at most MAX_CHUNK bytes, so that inserting or deleting anywhere moves at
// most a few chunks whatever the file size. Every chunk comes from the
// buffer's own heap, which is thrown away as a whole.
#include "BufferChunk.h"
#include "BufferPos.h"
#include "ChunkHeap.h"
#include "ChunkIndex.h"
#include "CoreProblem.h"

#include <QString>
#include <string>
#include <vector>

class CFileBuffer {
public:
    CFileBuffer();
    ~CFileBuffer();
    CFileBuffer(const CFileBuffer&) = delete;
    CFileBuffer& operator=(const CFileBuffer&) = delete;

    // Empties the buffer to one empty chunk. Registered positions move to 0.
    bool Reset();
    // Replaces the contents with the file's bytes. On failure LastProblem()
    // says why and the buffer is empty. A file longer than sizeLimit bytes is
    // refused; only tests pass a smaller limit than the largest file there is.
    bool LoadFromFile(const QString& path, int32_t sizeLimit = MAX_FILE_SIZE);
    // Writes the contents to path; the original is replaced only once the
    // new contents are completely written. The buffer never changes.
    bool SaveToFile(const QString& path) const;
    // Writes the contents into a private temporary file of the program (a
    // task's input) straight through, without the replace and the flush to
    // disk that protect a user's file.
    bool WriteToTempFile(const QString& path) const;
    // Drops every chunk and the heap (the buffer is unusable until Reset).
    void Clear();

    int32_t Size() const { return size_; }
    const CBufferChunk* First() const { return first_; }
    const CBufferChunk* Last() const { return last_; }

    void Attach(CBufferPos* cursor);
    void Detach(CBufferPos* cursor);
    void DetachAll();
    const std::vector<CBufferPos*>& Cursors() const { return cursors_; }

    // Consistency of the chunk list and of every registered position; on
    // failure why names the first broken rule.
    bool CheckInvariants(std::string* why = nullptr) const;

    ChunkHeap& Heap() { return heap_; }
    // Memory the seek index takes, in bytes.
    int64_t IndexBytes() const { return index_.MemoryBytes(); }

    // Problems go to the sink as they happen (none attached: they are only
    // kept). LastProblem() is the latest problem of the last load, save,
    // insertion or deletion, or none when it went well. An insertion that
    // comes out short and a deletion whose chunks could not be merged both
    // leave one here.
    void SetProblemSink(ICoreProblemSink* sink) { sink_ = sink; }
    const CoreProblem& LastProblem() const { return lastProblem_; }

private:
    friend class CBufferPos;
    friend class CSpanReader;

    CBufferChunk* NewChunk(int32_t capacity);
    void FreeChunk(CBufferChunk* chunk);
    // Opens a gap of gapSize bytes at gapAt, growing the chunk. The chunk may
    // move; its neighbours are relinked. Null when memory runs out, in which
    // case the chunk is unchanged.
    CBufferChunk* GrowChunk(CBufferChunk* chunk, int32_t gapAt, int32_t gapSize);
    // Sets the length to newLength (the bytes to keep are already in front)
    // and gives back memory the chunk no longer needs. Never fails.
    CBufferChunk* ShrinkChunk(CBufferChunk* chunk, int32_t newLength);
    void Relocate(CBufferChunk* from, CBufferChunk* to);
    // False when the index has no memory for the chunk; nothing changed then.
    bool LinkAfter(CBufferChunk* anchor, CBufferChunk* chunk);
    void Unlink(CBufferChunk* chunk);
    bool MakeEmpty();
    void BeginOperation() const { lastProblem_ = CoreProblem{}; }
    void Report(CoreProblem problem) const;
    void ReportOutOfMemory() const;
    void ReportFileError(int error, const QString& path) const;

    // Tells the index where the cursor's chunk stands, when the cursor knows.
    void HintIndex(const CBufferPos& cursor) const;
    int32_t InsertAt(CBufferPos& cursor, int32_t count);
    int32_t DeleteAt(CBufferPos& cursor, int32_t count);
    bool MoveTailOut(CBufferPos& cursor, BufferEdit& edit, int32_t gapBytes);
    void DropEmptyChunk(CBufferPos& cursor);
    void MergeWithNext(CBufferPos& cursor, bool nextLookedAt, int32_t& oldEnd);
    int32_t AppendGapChunks(CBufferPos& cursor, int32_t count);
    void NotifyInsert(const CBufferPos& editor, const BufferEdit& edit);
    void NotifyDelete(const CBufferPos& editor, const BufferEdit& edit);
    bool ReadContents(const QString& path, int32_t sizeLimit);
    void ResetCursors();
    bool IsEmbedded(const CBufferChunk* chunk) const;

    ChunkHeap heap_;
    ChunkIndex index_;
    CBufferChunk* first_ = nullptr;
    CBufferChunk* last_ = nullptr;
    int32_t size_ = 0;
    std::vector<CBufferPos*> cursors_;
    ICoreProblemSink* sink_ = nullptr;
    mutable CoreProblem lastProblem_;
    // The empty chunk of an empty buffer lives here, so emptying never needs memory.
    alignas(CBufferChunk) unsigned char embedded_[sizeof(CBufferChunk)] = {};
};

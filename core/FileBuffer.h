#pragma once
// The complete contents of one open file, as a list of memory chunks of at
// most MAX_CHUNK bytes (so that inserting or deleting anywhere moves at most
// a few chunks whatever the file size) and file extents (stretches of the
// file on disk, read through a bounded block cache only when wanted). A file
// above the extent threshold opens as one extent and reads nothing; an edit
// inside an extent splits it around memory chunks holding the edited bytes.
// Every chunk and extent comes from the buffer's own heap, which is thrown
// away as a whole.
#include "BufferChunk.h"
#include "BufferPos.h"
#include "ChunkHeap.h"
#include "ChunkIndex.h"
#include "CoreProblem.h"
#include "UndoEntry.h"

#include <QString>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CBlockCache;
namespace platform {
class AtomicFileWriter;
class StreamFileWriter;
}

class CFileBuffer {
public:
    CFileBuffer();
    ~CFileBuffer();
    CFileBuffer(const CFileBuffer&) = delete;
    CFileBuffer& operator=(const CFileBuffer&) = delete;

    // Empties the buffer to one empty chunk. Registered positions move to 0.
    bool Reset();
    // Replaces the contents with the file's bytes. On failure LastProblem()
    // says why and the buffer is empty. A file longer than the size limit is
    // refused.
    bool LoadFromFile(const QString& path);
    // The most bytes the buffer takes, by loading or inserting. Unlimited
    // unless set: the document sets the limit its windows can show.
    void SetSizeLimit(int64_t bytes) { sizeLimit_ = std::max<int64_t>(bytes, 0); }
    int64_t SizeLimit() const { return sizeLimit_; }
    static constexpr int64_t kNoSizeLimit = INT64_MAX;
    // Files larger than this many bytes open as extents; smaller ones are
    // read wholly into memory. 0 makes every non-empty file an extent.
    void SetExtentThreshold(int64_t bytes) { extentThreshold_ = bytes; }
    static constexpr int64_t kDefaultExtentThreshold = int64_t(64) << 20;
    // The cache extents are read through; buffers may share one. Without
    // one the buffer makes its own of the default size when it first needs it.
    void SetBlockCache(std::shared_ptr<CBlockCache> cache);
    // Writes the contents to path; the original is replaced only once the
    // new contents are completely written. The buffer never changes. A save
    // stopped through the progress hook leaves the original as it was and
    // reports no problem.
    bool SaveToFile(const QString& path) const;
    // Told how far long writes have come (bytes done, bytes in all) between
    // blocks; false stops the write.
    void SetProgressHook(std::function<bool(int64_t, int64_t)> hook) { progress_ = std::move(hook); }
    // Writes the contents into a private temporary file of the program (a
    // task's input) straight through, without the replace and the flush to
    // disk that protect a user's file.
    bool WriteToTempFile(const QString& path) const;
    // After a save to path: when the buffer holds extents, it reads from the
    // saved file from now on (one extent per MAX_EXTENT bytes) and frees its
    // memory chunks; positions keep their offsets. Nothing changes when the
    // file cannot be opened or is not exactly the buffer's size.
    void MoveOntoFile(const QString& path);
    // Drops every chunk and the heap (the buffer is unusable until Reset).
    void Clear();

    int64_t Size() const { return size_; }
    const CBufferChunk* First() const { return first_; }
    const CBufferChunk* Last() const { return last_; }
    // Whether the extents read from a block device (which is never written).
    bool ReadsBlockDevice() const;
    // Number of file extents in the list (for tests and status).
    int64_t ExtentCount() const;
    // Whether a file the extents read from was changed in place by another
    // program, after which its bytes are neither shown nor saved. Checks the
    // files now (the window was activated, a save is about to start).
    bool SourceChangedUnderneath() const;

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

    // Makes the bytes from the cursor on (count of them) memory chunks, so
    // that they can be written in place. False when memory runs out or the
    // file cannot be read (LastProblem says which); nothing changed then.
    bool MakeWritable(CBufferPos& cursor, int64_t count);
    // The count bytes from offset on as pieces: stretches still in a file on
    // disk are named, not read; bytes in memory are copied into *bytes
    // (byteCount of them). False when memory runs out.
    bool DescribeRange(int64_t offset, int64_t count, std::vector<StoredSegment>& segments,
                       std::unique_ptr<uint8_t[]>& bytes, int64_t& byteCount) const;
    // Puts pieces described by DescribeRange back at the cursor, which ends
    // where it started: stretches of a file on disk as extents, the bytes
    // from memory as new chunks. Returns the bytes inserted, fewer than the
    // pieces hold when memory ran out part of the way.
    int64_t InsertPieces(CBufferPos& cursor, const std::vector<StoredSegment>& segments, const uint8_t* bytes);
    // Puts length bytes of a file the buffer reads from at the cursor, as an
    // extent (nothing is read). Returns the bytes inserted: 0 when memory
    // runs out or the buffer would grow past its limit.
    int64_t InsertExtent(CBufferPos& cursor, const std::shared_ptr<platform::SourceFile>& source, int64_t start,
                         int64_t length);
    // The buffer's shared handle of one of its sources.
    std::shared_ptr<platform::SourceFile> SharedSource(const platform::SourceFile* source) const;
    // Makes the source one of the buffer's again (a history entry brings
    // back a stretch of a file the buffer had let go). False without memory.
    bool AdoptSource(const std::shared_ptr<platform::SourceFile>& source);
    // Copies count bytes of the buffer from an extent into destination
    // through the cache. False when the file cannot be read.
    bool ReadExtentCached(const CFileExtent* extent, int64_t inExtent, void* destination, int64_t count) const;

private:
    friend class CBufferPos;
    friend class CSpanReader;
    // Walks the chunks of the range itself, so that memory chunks are
    // written from where they are and extents are copied file to file.
    friend CoreProblem WriteBufferRangeToTempFile(const CFileBuffer& buffer, int64_t offset, int64_t count,
                                                  const QString& path);

    CBufferChunk* NewChunk(int32_t capacity);
    CFileExtent* NewExtent(const platform::SourceFile* source, int64_t start, int64_t length);
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
    bool LinkBefore(CBufferChunk* anchor, CBufferChunk* chunk);
    void Unlink(CBufferChunk* chunk);
    bool MakeEmpty();
    void BeginOperation() const { lastProblem_ = CoreProblem{}; }
    void Report(CoreProblem problem) const;
    void ReportOutOfMemory() const;
    void ReportFileError(int error, const QString& path) const;

    // Tells the index where the cursor's chunk stands, when the cursor knows.
    void HintIndex(const CBufferPos& cursor) const
    {
        if (cursor.slot_ >= 0)
            index_.Hint(cursor.chunk_, cursor.slot_);
    }
    bool BeginInsert(CBufferPos& cursor, int64_t count, BufferEdit& edit);
    int64_t InsertAt(CBufferPos& cursor, int64_t count);
    int64_t DeleteAt(CBufferPos& cursor, int64_t count);
    bool MoveTailOut(CBufferPos& cursor, BufferEdit& edit, int32_t gapBytes);
    void DropEmptyChunk(CBufferPos& cursor);
    void MergeWithNext(CBufferPos& cursor, bool nextLookedAt, int64_t& oldEnd);
    int64_t AppendGapChunks(CBufferPos& cursor, int64_t count);
    void NotifyInsert(const CBufferPos& editor, const BufferEdit& edit);
    void NotifyDelete(const CBufferPos& editor, const BufferEdit& edit);
    bool ReadContents(const QString& path, int64_t sizeLimit);
    bool OpenAsExtents(const QString& path, int64_t sizeLimit, bool* opened);
    bool MakeInsertPoint(CBufferPos& cursor, BufferEdit& edit);
    bool LinkExtentAt(CBufferPos& cursor, BufferEdit& edit, CFileExtent* extent);
    bool CutExtentMiddle(CBufferPos& cursor, int64_t count);
    void DeleteInFirst(CBufferPos& cursor, int64_t count, BufferEdit& edit);
    void DropFront(CBufferChunk* chunk, int64_t count);
    bool MakeExtentWritable(CFileExtent* extent, int64_t from, int64_t to);
    void DropSources();
    // Extent bytes for readers: through the cache, or straight into a
    // caller's memory for long sequential work. Both report a read failure
    // once per file and leave it in *problem.
    const uint8_t* CachedExtentBytes(const CFileExtent* extent, int64_t inExtent, int64_t* available,
                                     CoreProblem* problem) const;
    bool ReadExtent(const CFileExtent* extent, int64_t inExtent, void* destination, int64_t count,
                    CoreProblem* problem) const;
    int64_t CacheBlockBytes() const;
    bool SourceStillValid(const platform::SourceFile& source, CoreProblem* problem) const;
    bool CopyExtent(const CFileExtent* extent, platform::AtomicFileWriter& writer, int64_t& written, bool& stopped,
                    CoreProblem* problem) const;
    bool WriteBlock(platform::AtomicFileWriter& writer, const uint8_t* block, int64_t count, int64_t& written,
                    bool& stopped) const;
    bool CopyExtentStretch(const CFileExtent* extent, int64_t inExtent, int64_t count,
                           platform::StreamFileWriter& writer, CoreProblem* problem) const;
    template <typename Writer, typename AfterStep>
    bool CopyFromExtent(const CFileExtent* extent, int64_t inExtent, int64_t count, Writer& writer,
                        CoreProblem* problem, AfterStep&& afterStep) const;
    CBlockCache& Cache() const;
    void ReportReadFailure(int error, const platform::SourceFile& source, CoreProblem* problem) const;
    void ResetCursors();
    bool IsEmbedded(const CBufferChunk* chunk) const;

    ChunkHeap heap_;
    ChunkIndex index_;
    CBufferChunk* first_ = nullptr;
    CBufferChunk* last_ = nullptr;
    int64_t size_ = 0;
    std::vector<CBufferPos*> cursors_;
    ICoreProblemSink* sink_ = nullptr;
    int64_t extentThreshold_ = kDefaultExtentThreshold;
    int64_t sizeLimit_ = kNoSizeLimit;
    // The files extents read from; kept open while any extent may need them.
    std::vector<std::shared_ptr<platform::SourceFile>> sources_;
    mutable std::shared_ptr<CBlockCache> cache_;
    std::function<bool(int64_t, int64_t)> progress_;
    mutable bool readFailureReported_ = false;
    mutable bool sourceChanged_ = false;  // a file extents read from changed in place
    mutable CoreProblem lastProblem_;
    // The empty chunk of an empty buffer lives here, so emptying never needs memory.
    alignas(CBufferChunk) unsigned char embedded_[sizeof(CBufferChunk)] = {};
    // The extent of a buffer that moved onto its saved file, so that moving
    // never needs memory either.
    alignas(CFileExtent) unsigned char embeddedExtent_[sizeof(CFileExtent)] = {};
};

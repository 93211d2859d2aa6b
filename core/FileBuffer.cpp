#include "FileBuffer.h"

#include "BlockCache.h"
#include "BufferRangeToTempFile.h"

#include "platform/AtomicFileWriter.h"
#include "platform/FileReader.h"
#include "platform/SourceFile.h"
#include "platform/StreamFileWriter.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
int32_t RoundedCapacity(int32_t length) { return (length + 15) & ~15; }
size_t BlockBytes(int32_t capacity) { return sizeof(CBufferChunk) + size_t(capacity); }

// Chunks handed to one scattered read while loading (512 KiB).
constexpr int kChunksPerRead = 256;
// Bytes gathered before each write while saving.
constexpr size_t kSaveBlock = size_t(1) << 20;
// Bytes of an extent copied between two progress reports while saving.
constexpr int64_t kCopyStep = int64_t(16) << 20;
} // namespace

CFileBuffer::CFileBuffer() : index_(heap_) { MakeEmpty(); }

CFileBuffer::~CFileBuffer()
{
    for (CBufferPos* cursor : cursors_) {
        cursor->buffer_ = nullptr;
        cursor->chunk_ = nullptr;
        cursor->registered_ = false;
    }
    cursors_.clear();
    Clear();
}

void CFileBuffer::Report(CoreProblem problem) const
{
    lastProblem_ = problem;
    if (sink_)
        sink_->OnProblem(lastProblem_);
}

void CFileBuffer::ReportOutOfMemory() const { Report(CoreProblem{CoreError::OutOfMemory}); }

void CFileBuffer::ReportFileError(int error, const QString& path) const
{
    Report(CoreProblem{CoreError::FileError, error, path});
}

// ---------------------------------------------------------------- chunk memory

bool CFileBuffer::IsEmbedded(const CBufferChunk* chunk) const
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(chunk);
    return bytes == embedded_ || bytes == embeddedExtent_;
}

CBufferChunk* CFileBuffer::NewChunk(int32_t capacity)
{
    auto* chunk = static_cast<CBufferChunk*>(heap_.Allocate(BlockBytes(capacity)));
    if (!chunk)
        return nullptr;
    chunk->next = chunk->prev = nullptr;
    chunk->leaf = 0;
    chunk->length = 0;
    chunk->capacity = uint16_t(capacity);
    return chunk;
}

CFileExtent* CFileBuffer::NewExtent(const platform::SourceFile* source, int64_t start, int64_t length)
{
    auto* extent = static_cast<CFileExtent*>(heap_.Allocate(sizeof(CFileExtent)));
    if (!extent)
        return nullptr;
    extent->next = extent->prev = nullptr;
    extent->leaf = 0;
    extent->length = 0;
    extent->capacity = EXTENT_CAPACITY;
    extent->source = source;
    extent->start = start;
    extent->extentLength = length;
    return extent;
}

void CFileBuffer::FreeChunk(CBufferChunk* chunk)
{
    if (IsEmbedded(chunk))
        return;
    if (chunk->IsExtent())
        heap_.Free(chunk, sizeof(CFileExtent));
    else
        heap_.Free(chunk, BlockBytes(chunk->capacity));
}

void CFileBuffer::Relocate(CBufferChunk* from, CBufferChunk* to)
{
    index_.Replace(from, to);
    to->prev = from->prev;
    to->next = from->next;
    (to->prev ? to->prev->next : first_) = to;
    (to->next ? to->next->prev : last_) = to;
    FreeChunk(from);
}

CBufferChunk* CFileBuffer::GrowChunk(CBufferChunk* chunk, int32_t gapAt, int32_t gapSize)
{
    const int32_t oldLength = chunk->length;
    const int32_t newLength = oldLength + gapSize;
    if (newLength <= chunk->capacity && RoundedCapacity(newLength) >= chunk->capacity) {
        uint8_t* data = chunk->Data();
        std::memmove(data + gapAt + gapSize, data + gapAt, size_t(oldLength - gapAt));
        chunk->length = newLength;
        index_.Update(chunk);
        return chunk;
    }
    CBufferChunk* grown = NewChunk(RoundedCapacity(newLength));
    if (!grown)
        return nullptr;
    std::memcpy(grown->Data(), chunk->Data(), size_t(gapAt));
    std::memcpy(grown->Data() + gapAt + gapSize, chunk->Data() + gapAt, size_t(oldLength - gapAt));
    grown->length = newLength;
    Relocate(chunk, grown);
    return grown;
}

CBufferChunk* CFileBuffer::ShrinkChunk(CBufferChunk* chunk, int32_t newLength)
{
    chunk->length = newLength;
    const int32_t capacity = RoundedCapacity(newLength);
    CBufferChunk* smaller = capacity < chunk->capacity && !IsEmbedded(chunk) ? NewChunk(capacity) : nullptr;
    if (!smaller) {
        index_.Update(chunk);  // keeping the larger block is harmless
        return chunk;
    }
    std::memcpy(smaller->Data(), chunk->Data(), size_t(newLength));
    smaller->length = newLength;
    Relocate(chunk, smaller);
    return smaller;
}

bool CFileBuffer::LinkAfter(CBufferChunk* anchor, CBufferChunk* chunk)
{
    if (!index_.InsertAfter(anchor, chunk))
        return false;
    chunk->prev = anchor;
    chunk->next = anchor->next;
    (anchor->next ? anchor->next->prev : last_) = chunk;
    anchor->next = chunk;
    return true;
}

bool CFileBuffer::LinkBefore(CBufferChunk* anchor, CBufferChunk* chunk)
{
    if (anchor->prev)
        return LinkAfter(anchor->prev, chunk);
    if (!index_.InsertBefore(anchor, chunk))
        return false;
    chunk->prev = nullptr;
    chunk->next = anchor;
    anchor->prev = chunk;
    first_ = chunk;
    return true;
}

void CFileBuffer::Unlink(CBufferChunk* chunk)
{
    index_.Remove(chunk);
    (chunk->prev ? chunk->prev->next : first_) = chunk->next;
    (chunk->next ? chunk->next->prev : last_) = chunk->prev;
}

// ---------------------------------------------------------------- whole buffer

bool CFileBuffer::MakeEmpty()
{
    heap_.Release();
    DropSources();
    index_.Forget();
    auto* chunk = reinterpret_cast<CBufferChunk*>(embedded_);
    *chunk = CBufferChunk{nullptr, nullptr, 0, 0, 0};
    index_.Append(chunk);  // the root leaf needs no memory
    first_ = last_ = chunk;
    size_ = 0;
    return true;
}

void CFileBuffer::ResetCursors()
{
    for (CBufferPos* cursor : cursors_)
        cursor->OnReset();
}

bool CFileBuffer::Reset()
{
    MakeEmpty();
    ResetCursors();
    return true;
}

void CFileBuffer::Clear()
{
    heap_.Release();
    DropSources();
    index_.Forget();
    first_ = last_ = nullptr;
    size_ = 0;
}

void CFileBuffer::Attach(CBufferPos* cursor)
{
    if (std::find(cursors_.begin(), cursors_.end(), cursor) == cursors_.end())
        cursors_.push_back(cursor);
    cursor->registered_ = true;
}

void CFileBuffer::Detach(CBufferPos* cursor)
{
    cursors_.erase(std::remove(cursors_.begin(), cursors_.end(), cursor), cursors_.end());
    cursor->registered_ = false;
}

void CFileBuffer::DetachAll()
{
    for (CBufferPos* cursor : cursors_) {
        cursor->registered_ = false;
        cursor->buffer_ = nullptr;
        cursor->chunk_ = nullptr;
    }
    cursors_.clear();
}

// ---------------------------------------------------------------- load and save

bool CFileBuffer::LoadFromFile(const QString& path)
{
    BeginOperation();
    const bool loaded = ReadContents(path, sizeLimit_);
    if (!loaded)
        MakeEmpty();
    ResetCursors();
    return loaded;
}

bool CFileBuffer::ReadContents(const QString& path, int64_t sizeLimit)
{
    heap_.Release();
    DropSources();
    index_.Forget();
    first_ = last_ = nullptr;
    size_ = 0;

    bool opened = false;
    if (!OpenAsExtents(path, sizeLimit, &opened) || opened)
        return opened;

    platform::FileReader reader;
    if (!reader.Open(path)) {
        ReportFileError(reader.Error(), path);
        return false;
    }
    const int64_t length = reader.Size();
    if (length < 0) {
        ReportFileError(reader.Error(), path);
        return false;
    }
    if (length > sizeLimit) {
        Report(CoreProblem{CoreError::SizeLimitOnLoad, 0, path});
        return false;
    }
    // A generated file (/proc) reports 0 bytes: read it until it ends.
    const bool untilEnd = !reader.SizeIsExact();
    if (length == 0 && !untilEnd)
        return MakeEmpty();

    // Each chunk gets exactly the capacity of its bytes, and the file is read
    // straight into the chunks with one scattered read per batch.
    int64_t remaining = untilEnd ? sizeLimit : length;
    CBufferChunk* batch[kChunksPerRead];
    iovec pieces[kChunksPerRead];
    // Reading until the end, the size is unknown (an empty file is the
    // common case): batches start at one chunk and double while the data
    // keeps coming, instead of taking half a megabyte for nothing.
    int batchChunks = untilEnd ? 1 : kChunksPerRead;
    while (remaining > 0) {
        int count = 0;
        int64_t planned = 0;
        while (count < batchChunks && planned < remaining) {
            const auto n = int64_t(std::min<int64_t>(remaining - planned, MAX_CHUNK));
            CBufferChunk* chunk = NewChunk(n);
            if (!chunk) {
                ReportOutOfMemory();
                return false;
            }
            batch[count] = chunk;
            pieces[count] = iovec{chunk->Data(), size_t(n)};
            planned += n;
            ++count;
        }
        int64_t got = reader.ReadScatter(pieces, count);
        if (got < 0) {
            ReportFileError(reader.Error(), path);
            return false;
        }
        if (got == 0) {
            for (int i = 0; i < count; ++i)
                FreeChunk(batch[i]);
            break;  // the end (or the file became shorter while we read it)
        }
        remaining -= got;
        if (got == planned)
            batchChunks = std::min(2 * batchChunks, kChunksPerRead);
        for (int i = 0; i < count; ++i) {
            const auto take = int64_t(std::min<int64_t>(got, batch[i]->capacity));
            if (take == 0) {
                FreeChunk(batch[i]);
                continue;
            }
            batch[i]->length = uint16_t(take);
            if (!index_.LoadAppend(batch[i])) {
                ReportOutOfMemory();
                return false;
            }
            batch[i]->prev = last_;
            (last_ ? last_->next : first_) = batch[i];
            last_ = batch[i];
            size_ += take;
            got -= take;
        }
    }
    // Content of exactly the limit is fine; one byte more is not, and only
    // reading past the limit tells the two apart.
    char probe = 0;
    if (untilEnd && remaining == 0 && reader.Read(&probe, 1) > 0) {
        Report(CoreProblem{CoreError::SizeLimitOnLoad, 0, path});
        return false;
    }
    if (!first_)
        return MakeEmpty();
    if (!index_.FinishLoad()) {
        ReportOutOfMemory();
        return false;
    }
    return true;
}

// A file above the threshold becomes extents that cover it; nothing of it is
// read. *opened stays false (and the result true) when the file is to be
// read wholly instead.
bool CFileBuffer::OpenAsExtents(const QString& path, int64_t sizeLimit, bool* opened)
{
    *opened = false;
    int error = 0;
    std::shared_ptr<platform::SourceFile> source = platform::SourceFile::Open(path, &error);
    if (!source) {
        ReportFileError(error, path);
        return false;
    }
    const int64_t length = source->Size();
    // A disk is never read whole, whatever its size.
    if (length == 0 || (length <= extentThreshold_ && !source->IsBlockDevice()))
        return true;
    if (length > sizeLimit) {
        Report(CoreProblem{CoreError::SizeLimitOnLoad, 0, path});
        return false;
    }
    for (int64_t at = 0; at < length; at += MAX_EXTENT) {
        CFileExtent* extent = NewExtent(source.get(), at, std::min(MAX_EXTENT, length - at));
        if (!extent || !index_.LoadAppend(extent)) {
            ReportOutOfMemory();
            return false;
        }
        extent->prev = last_;
        (last_ ? last_->next : first_) = extent;
        last_ = extent;
        size_ += int64_t(extent->extentLength);
    }
    if (!index_.FinishLoad()) {
        ReportOutOfMemory();
        return false;
    }
    sources_.push_back(std::move(source));
    *opened = true;
    return true;
}

void CFileBuffer::MoveOntoFile(const QString& path)
{
    if (ExtentCount() == 0 || size_ > MAX_EXTENT)
        return;
    int error = 0;
    std::shared_ptr<platform::SourceFile> source = platform::SourceFile::Open(path, &error);
    if (!source || source->Size() != size_)
        return;
    std::vector<int64_t> offsets;
    for (const CBufferPos* cursor : cursors_)
        offsets.push_back(cursor->offset_);
    const int64_t size = size_;
    heap_.Release();
    DropSources();
    index_.Forget();
    auto* extent = reinterpret_cast<CFileExtent*>(embeddedExtent_);
    *extent = CFileExtent{};
    extent->capacity = EXTENT_CAPACITY;
    extent->source = source.get();
    extent->start = 0;
    extent->extentLength = size;
    index_.Append(extent);  // the root leaf needs no memory
    first_ = last_ = extent;
    size_ = size;
    sources_.push_back(std::move(source));
    for (size_t i = 0; i < cursors_.size(); ++i)
        cursors_[i]->PlaceAt(extent, offsets[i], offsets[i]);
}

void CFileBuffer::DropSources()
{
    if (cache_)
        for (const auto& source : sources_)
            cache_->Forget(*source);
    sources_.clear();
    readFailureReported_ = false;
    sourceChanged_ = false;
}

void CFileBuffer::SetBlockCache(std::shared_ptr<CBlockCache> cache)
{
    if (cache_)
        for (const auto& source : sources_)
            cache_->Forget(*source);
    cache_ = std::move(cache);
}

CBlockCache& CFileBuffer::Cache() const
{
    if (!cache_)
        cache_ = std::make_shared<CBlockCache>();
    return *cache_;
}

int64_t CFileBuffer::CacheBlockBytes() const { return Cache().BlockBytes(); }

bool CFileBuffer::ReadsBlockDevice() const
{
    return std::any_of(sources_.begin(), sources_.end(), [](const auto& source) { return source->IsBlockDevice(); });
}

int64_t CFileBuffer::ExtentCount() const
{
    int64_t count = 0;
    for (const CBufferChunk* chunk = first_; chunk; chunk = chunk->next)
        count += chunk->IsExtent() ? 1 : 0;
    return count;
}

// ---------------------------------------------------------------- reading extents

void CFileBuffer::ReportReadFailure(int error, const platform::SourceFile& source, CoreProblem* problem) const
{
    CoreProblem failure{CoreError::FileError, error, source.Path()};
    failure.whileReading = true;
    lastProblem_ = failure;
    // A caller that takes the problem reports it itself (a find or a save
    // stops with it). Reads for painting would meet the same failure on
    // every repaint: those say it once.
    if (problem)
        *problem = failure;
    else if (!readFailureReported_ && sink_)
        sink_->OnProblem(failure);
    readFailureReported_ = true;
}

// A file changed in place can no longer be trusted: its blocks mix old and
// new bytes. Checked after every block read from the disk (an fstat costs
// little next to the read); a file replaced under its name (another
// program's save) still reads the old bytes through our descriptor.
bool CFileBuffer::SourceStillValid(const platform::SourceFile& source, CoreProblem* problem) const
{
    if (!sourceChanged_ && !source.ChangedInPlace())
        return true;
    if (cache_)
        cache_->Forget(source);
    CoreProblem changed{CoreError::SourceChanged, 0, source.Path()};
    changed.whileReading = true;
    lastProblem_ = changed;
    if (problem)
        *problem = changed;
    // Said once, whoever meets it first; the document turns read-only.
    if (!sourceChanged_ && sink_)
        sink_->OnProblem(changed);
    sourceChanged_ = true;
    return false;
}

const uint8_t* CFileBuffer::CachedExtentBytes(const CFileExtent* extent, int64_t inExtent, int64_t* available,
                                              CoreProblem* problem) const
{
    if (sourceChanged_ && !SourceStillValid(*extent->source, problem))
        return nullptr;
    int error = 0;
    CBlockCache& cache = Cache();
    const int64_t misses = cache.Misses();
    const uint8_t* bytes = cache.Get(*extent->source, extent->start + inExtent, available, &error);
    if (!bytes) {
        if (SourceStillValid(*extent->source, problem))
            ReportReadFailure(error ? error : EIO, *extent->source, problem);
        return nullptr;
    }
    if (cache.Misses() != misses && !SourceStillValid(*extent->source, problem))
        return nullptr;
    *available = std::min(*available, extent->extentLength - inExtent);
    return bytes;
}

bool CFileBuffer::ReadExtent(const CFileExtent* extent, int64_t inExtent, void* destination, int64_t count,
                             CoreProblem* problem) const
{
    if (sourceChanged_ && !SourceStillValid(*extent->source, problem))
        return false;
    int error = 0;
    extent->source->AdviseSequential(extent->start + inExtent, count);
    const int64_t got = extent->source->ReadAt(extent->start + inExtent, destination, count, &error);
    if (!SourceStillValid(*extent->source, problem))
        return false;
    if (got == count)
        return true;
    ReportReadFailure(got < 0 ? error : EIO, *extent->source, problem);
    return false;
}

bool CFileBuffer::ReadExtentCached(const CFileExtent* extent, int64_t inExtent, void* destination,
                                   int64_t count) const
{
    auto* out = static_cast<uint8_t*>(destination);
    while (count > 0) {
        int64_t available = 0;
        const uint8_t* bytes = CachedExtentBytes(extent, inExtent, &available, nullptr);
        if (!bytes)
            return false;
        const int64_t n = std::min(available, count);
        std::memcpy(out, bytes, size_t(n));
        out += n;
        inExtent += n;
        count -= n;
    }
    return true;
}

bool CFileBuffer::SourceChangedUnderneath() const
{
    for (const auto& source : sources_) {
        CoreProblem problem;
        if (!SourceStillValid(*source, &problem))
            return true;
    }
    return false;
}

bool CFileBuffer::SaveToFile(const QString& path) const
{
    BeginOperation();
    // A file changed in place would give the new file a mix of old and new bytes.
    for (const auto& source : sources_) {
        CoreProblem problem;
        const bool known = sourceChanged_;
        if (!SourceStillValid(*source, &problem)) {
            if (known)  // else the check itself has just said so
                Report(problem);
            return false;
        }
    }
    platform::AtomicFileWriter writer;
    // A file system without room says so before anything is written. The
    // holes of a sparse original stay holes and take none: a disk image
    // of a TiB may hold a few MiB of data.
    int64_t needed = 0;
    for (const CBufferChunk* chunk = first_; chunk; chunk = chunk->next)
        needed += chunk->IsExtent()
                      ? AsExtent(chunk)->source->BytesCopied(AsExtent(chunk)->start, AsExtent(chunk)->extentLength)
                      : int64_t(chunk->length);
    if (!writer.Open(path) || !writer.CheckRoom(needed)) {
        ReportFileError(writer.Error(), path);
        return false;
    }
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[kSaveBlock]);
    if (!block) {
        ReportOutOfMemory();
        return false;
    }
    size_t filled = 0;
    int64_t written = 0;
    bool stopped = false;
    CoreProblem readProblem;
    for (const CBufferChunk* chunk = first_; chunk; chunk = chunk->next) {
        if (chunk->IsExtent()) {
            if (!WriteBlock(writer, block.get(), int64_t(filled), written, stopped) ||
                !CopyExtent(AsExtent(chunk), writer, written, stopped, &readProblem))
                break;
            filled = 0;
            continue;
        }
        if (filled + size_t(chunk->length) > kSaveBlock) {
            if (!WriteBlock(writer, block.get(), int64_t(filled), written, stopped))
                break;
            filled = 0;
        }
        std::memcpy(block.get() + filled, chunk->Data(), size_t(chunk->length));
        filled += size_t(chunk->length);
    }
    if (readProblem || stopped) {
        // The new file would lack bytes the original has: keep the original.
        writer.Abandon();
        if (readProblem)
            Report(readProblem);
        return false;
    }
    if (writer.Error() == 0 && WriteBlock(writer, block.get(), int64_t(filled), written, stopped) && writer.Commit())
        return true;
    ReportFileError(writer.Error(), path);
    return false;
}

// Writes count bytes (none is fine) and tells the progress hook; false when
// writing failed or the hook said stop.
bool CFileBuffer::WriteBlock(platform::AtomicFileWriter& writer, const uint8_t* block, int64_t count,
                             int64_t& written, bool& stopped) const
{
    if (count > 0 && !writer.Write(block, count))
        return false;
    written += count;
    // Only work still to come is worth a progress report or a stop.
    stopped = progress_ && written < size_ && !progress_(written, size_);
    return !stopped;
}

// The unchanged stretch goes from the old file to the new one in large
// steps, by the kernel where it can. False when reading (then *problem says
// why) or writing fails, or the save was stopped.
// Copies count bytes of an extent, from inExtent on, into writer: a hole in
// one step (a disk image of a TiB is mostly holes, and steps through them
// cost system calls for nothing), data kCopyStep at a time, the file checked
// for changes after each step, since a file changed while it was copied
// gives a new file of mixed bytes. afterStep(n) hears of each step and may
// stop the copy by returning false. A failure to read or a changed file is
// reported into *problem; a failure to write is the writer's.
template <typename Writer, typename AfterStep>
bool CFileBuffer::CopyFromExtent(const CFileExtent* extent, int64_t inExtent, int64_t count, Writer& writer,
                                 CoreProblem* problem, AfterStep&& afterStep) const
{
    for (int64_t done = 0; done < count;) {
        const int64_t at = extent->start + inExtent + done;
        const int64_t left = count - done;
        const int64_t n = std::max(std::min(kCopyStep, left), extent->source->HoleFrom(at, left));
        int readError = 0;
        const bool copied = extent->source->CopyTo(writer, at, n, &readError);
        if (!SourceStillValid(*extent->source, problem))
            return false;
        if (!copied) {
            if (readError != 0)
                ReportReadFailure(readError, *extent->source, problem);
            return false;
        }
        done += n;
        if (!afterStep(n))
            return false;
    }
    return true;
}

bool CFileBuffer::CopyExtent(const CFileExtent* extent, platform::AtomicFileWriter& writer, int64_t& written,
                             bool& stopped, CoreProblem* problem) const
{
    return CopyFromExtent(extent, 0, extent->extentLength, writer, problem, [&](int64_t n) {
        written += n;
        return WriteBlock(writer, nullptr, 0, written, stopped);
    });
}

// A stretch of an extent goes into a task's private file as a save copies
// it. False when reading (then *problem names the file read) or writing
// (then it names the file written) fails.
bool CFileBuffer::CopyExtentStretch(const CFileExtent* extent, int64_t inExtent, int64_t count,
                                    platform::StreamFileWriter& writer, CoreProblem* problem) const
{
    if (sourceChanged_ && !SourceStillValid(*extent->source, problem))
        return false;
    if (CopyFromExtent(extent, inExtent, count, writer, problem, [](int64_t) { return true; }))
        return true;
    if (!*problem)
        *problem = CoreProblem{CoreError::FileError, writer.Error(), writer.Path()};
    return false;
}

bool CFileBuffer::WriteToTempFile(const QString& path) const
{
    BeginOperation();
    const CoreProblem problem = WriteBufferRangeToTempFile(*this, 0, size_, path);
    if (problem)
        Report(problem);
    return !problem;
}

// ---------------------------------------------------------------- insert

// Starts an insertion of count bytes at the cursor: false when there is
// nothing to insert or the buffer would grow past its limit. Inline, so that
// typing pays no call for it.
inline bool CFileBuffer::BeginInsert(CBufferPos& cursor, int64_t count, BufferEdit& edit)
{
    BeginOperation();
    if (count <= 0)
        return false;
    if (count > sizeLimit_ - size_) {
        Report(CoreProblem{CoreError::SizeLimitOnInsert});
        return false;
    }
    const int64_t chunkStart = cursor.offset_ - cursor.offsetInChunk_;
    edit = BufferEdit{cursor.offset_, 0, chunkStart, chunkStart + int64_t(cursor.chunk_->Size())};
    HintIndex(cursor);
    return true;
}

int64_t CFileBuffer::InsertAt(CBufferPos& cursor, int64_t count)
{
    BufferEdit edit{};
    if (!BeginInsert(cursor, count, edit))
        return 0;
    const int64_t at = cursor.offset_;
    if (cursor.chunk_->IsExtent() && !MakeInsertPoint(cursor, edit)) {
        ReportOutOfMemory();
        return 0;
    }
    CBufferChunk* chunk = cursor.chunk_;

    if (chunk->length + count <= MAX_CHUNK) {
        CBufferChunk* grown = GrowChunk(chunk, cursor.offsetInChunk_, count);
        if (!grown) {
            // An extent split for the insertion stays split, which changes
            // no byte; positions on its halves find their place again.
            DropEmptyChunk(cursor);
            ReportOutOfMemory();
            NotifyInsert(cursor, edit);
            return 0;
        }
        cursor.chunk_ = grown;
        edit.count = count;
        size_ += count;
        NotifyInsert(cursor, edit);
        return count;
    }

    if (cursor.offsetInChunk_ == 0 && chunk->prev && !chunk->prev->IsExtent()) {
        chunk = chunk->prev;
        cursor.PlaceAt(chunk, chunk->length, at);
        edit.touchedStart = at - chunk->length;
        edit.touchedEnd = at;
    }
    // The tail's old place becomes the start of the gap: the chunk is resized
    // once, to its bytes before the cursor plus as much of the gap as fits.
    const int64_t opened = std::min(count, cursor.chunk_->length - cursor.offsetInChunk_);
    int64_t inserted = 0;
    bool complete = MoveTailOut(cursor, edit, opened);
    if (complete) {
        inserted = opened;
        const int64_t room = std::min<int64_t>(MAX_CHUNK - cursor.chunk_->length, count - inserted);
        if (room > 0) {
            CBufferChunk* grown = GrowChunk(cursor.chunk_, cursor.chunk_->length, room);
            complete = grown != nullptr;
            if (grown) {
                cursor.chunk_ = grown;
                inserted += room;
            }
        }
        if (complete) {
            const int64_t appended = AppendGapChunks(cursor, count - inserted);
            complete = appended == count - inserted;
            inserted += appended;
        }
    }
    if (!complete) {
        DropEmptyChunk(cursor);
        ReportOutOfMemory();
    }
    edit.count = inserted;
    size_ += inserted;
    NotifyInsert(cursor, edit);
    return inserted;
}

// Moves the bytes after the cursor out of its chunk, into the next chunk
// when they fit there, else into a new chunk of their own. The chunk keeps
// its bytes before the cursor and then the first gapBytes of the gap (at
// most the tail's length). False, with nothing changed, when memory runs out.
bool CFileBuffer::MoveTailOut(CBufferPos& cursor, BufferEdit& edit, int32_t gapBytes)
{
    CBufferChunk* chunk = cursor.chunk_;
    const int64_t tail = chunk->length - cursor.offsetInChunk_;
    if (tail == 0)
        return true;
    const uint8_t* tailBytes = chunk->Data() + cursor.offsetInChunk_;
    CBufferChunk* next = chunk->next;
    if (next && !next->IsExtent() && tail + next->length <= MAX_CHUNK) {
        const int64_t nextLength = next->length;
        CBufferChunk* grown = GrowChunk(next, 0, tail);
        if (!grown)
            return false;
        std::memcpy(grown->Data(), tailBytes, size_t(tail));
        edit.touchedEnd += nextLength;
    } else {
        CBufferChunk* fresh = NewChunk(RoundedCapacity(tail));
        if (!fresh)
            return false;
        std::memcpy(fresh->Data(), tailBytes, size_t(tail));
        fresh->length = tail;
        if (!LinkAfter(chunk, fresh)) {
            FreeChunk(fresh);
            return false;
        }
    }
    cursor.chunk_ = ShrinkChunk(chunk, cursor.offsetInChunk_ + gapBytes);
    return true;
}

// An insertion into a file extent goes into a memory chunk: the one before
// the extent when the cursor is at its start, else a new empty one between
// the two halves of the extent (split at the cursor). The extent's bytes
// stay on disk. False, with nothing changed, when memory runs out.
bool CFileBuffer::MakeInsertPoint(CBufferPos& cursor, BufferEdit& edit)
{
    auto* extent = AsExtent(cursor.chunk_);
    const int64_t at = cursor.offset_;
    const int64_t inExtent = cursor.offsetInChunk_;
    if (inExtent == 0 && extent->prev && !extent->prev->IsExtent()) {
        CBufferChunk* prev = extent->prev;
        cursor.PlaceAt(prev, prev->length, at);
        edit.touchedStart = at - prev->length;
        return true;
    }
    if (inExtent == extent->extentLength && extent->next && !extent->next->IsExtent()) {
        cursor.PlaceAt(extent->next, 0, at);
        edit.touchedEnd = at + extent->next->length;
        return true;
    }
    CBufferChunk* fresh = NewChunk(0);
    if (!fresh)
        return false;
    CFileExtent* rest = nullptr;
    if (inExtent > 0 && inExtent < extent->extentLength) {
        rest = NewExtent(extent->source, extent->start + inExtent, extent->extentLength - inExtent);
        if (!rest || !LinkAfter(extent, rest)) {
            if (rest)
                FreeChunk(rest);
            FreeChunk(fresh);
            return false;
        }
        extent->extentLength = inExtent;
        index_.Update(extent);
    }
    if (!(inExtent == 0 ? LinkBefore(extent, fresh) : LinkAfter(extent, fresh))) {
        FreeChunk(fresh);
        if (rest) {
            extent->extentLength += rest->extentLength;
            Unlink(rest);
            FreeChunk(rest);
            index_.Update(extent);
        }
        return false;
    }
    cursor.PlaceAt(fresh, 0, at);
    return true;
}

// Links new chunks for count gap bytes right after the cursor's chunk: the
// first one holds the odd remainder, every further one a full MAX_CHUNK.
int64_t CFileBuffer::AppendGapChunks(CBufferPos& cursor, int64_t count)
{
    int64_t added = 0;
    while (added < count) {
        const int64_t rest = count - added;
        const int64_t n = added == 0 && rest % MAX_CHUNK != 0 ? rest % MAX_CHUNK : MAX_CHUNK;
        CBufferChunk* chunk = NewChunk(RoundedCapacity(n));
        if (!chunk)
            break;
        chunk->length = n;
        if (!LinkAfter(cursor.chunk_, chunk)) {
            FreeChunk(chunk);
            break;
        }
        added += n;
    }
    return added;
}

// ---------------------------------------------------------------- delete

int64_t CFileBuffer::DeleteAt(CBufferPos& cursor, int64_t count)
{
    BeginOperation();
    const int64_t at = cursor.offset_;
    count = std::min(count, size_ - at);
    if (count <= 0)
        return 0;
    CBufferChunk* chunk = cursor.chunk_;
    const int64_t chunkStart = at - cursor.offsetInChunk_;
    BufferEdit edit{at, count, chunkStart, chunkStart + int64_t(chunk->Size())};
    HintIndex(cursor);
    int64_t oldEnd = edit.touchedEnd;  // old end offset of the last chunk looked at

    if (chunk->IsExtent() && cursor.offsetInChunk_ + int64_t(count) < chunk->Size() && cursor.offsetInChunk_ > 0) {
        if (!CutExtentMiddle(cursor, count)) {
            ReportOutOfMemory();
            return 0;
        }
        size_ -= count;
        NotifyDelete(cursor, edit);
        return count;
    }
    const int64_t inChunk = int64_t(std::min<int64_t>(count, chunk->Size() - cursor.offsetInChunk_));
    if (inChunk > 0 && !chunk->IsExtent() && inChunk < chunk->length) {
        // A backspace: the memory chunk keeps some of its bytes. Done here
        // rather than through DeleteInFirst, which a call would cost each key.
        uint8_t* data = chunk->Data();
        std::memmove(data + cursor.offsetInChunk_, data + cursor.offsetInChunk_ + inChunk,
                     size_t(chunk->length - cursor.offsetInChunk_ - inChunk));
        cursor.chunk_ = ShrinkChunk(chunk, int32_t(chunk->length - inChunk));
    } else if (inChunk > 0) {
        DeleteInFirst(cursor, inChunk, edit);
    }

    int64_t remaining = count - inChunk;
    bool nextLookedAt = false;
    CBufferChunk* next = cursor.chunk_->next;
    while (remaining > 0) {
        oldEnd += int64_t(next->Size());
        nextLookedAt = true;
        if (next->Size() <= remaining) {
            remaining -= int64_t(next->Size());
            CBufferChunk* after = next->next;
            Unlink(next);
            FreeChunk(next);
            next = after;
            nextLookedAt = false;
        } else {
            DropFront(next, remaining);
            remaining = 0;
        }
    }

    MergeWithNext(cursor, nextLookedAt, oldEnd);
    edit.touchedEnd = oldEnd;
    size_ -= count;
    NotifyDelete(cursor, edit);
    return count;
}

// Deletes count bytes at the cursor inside its own chunk, which holds them
// all. A chunk left empty goes when another stands before it; the first
// chunk may stay empty until MergeWithNext. (A memory chunk that keeps some
// bytes is handled in DeleteAt itself and never comes here.)
void CFileBuffer::DeleteInFirst(CBufferPos& cursor, int64_t count, BufferEdit& edit)
{
    CBufferChunk* chunk = cursor.chunk_;
    const int64_t at = cursor.offset_;
    const int64_t newSize = chunk->Size() - count;
    if (newSize == 0 && chunk->prev) {
        CBufferChunk* prev = chunk->prev;
        Unlink(chunk);
        FreeChunk(chunk);
        cursor.PlaceAt(prev, int64_t(prev->Size()), at);
        edit.touchedStart = at - int64_t(prev->Size());
        return;
    }
    if (!chunk->IsExtent()) {
        uint8_t* data = chunk->Data();
        std::memmove(data + cursor.offsetInChunk_, data + cursor.offsetInChunk_ + count,
                     size_t(chunk->length - cursor.offsetInChunk_ - count));
        cursor.chunk_ = ShrinkChunk(chunk, int64_t(newSize));
        return;
    }
    if (newSize == 0) {
        // The first link, an extent, is wholly gone: an empty chunk holds
        // its place until MergeWithNext drops or fills it.
        auto* empty = reinterpret_cast<CBufferChunk*>(embedded_);
        *empty = CBufferChunk{nullptr, nullptr, 0, 0, 0};
        Relocate(chunk, empty);
        cursor.PlaceAt(empty, 0, at);
        return;
    }
    // Only the tail of an extent (or, for the first link, its head) is cut here.
    auto* extent = AsExtent(chunk);
    if (cursor.offsetInChunk_ == 0)
        extent->start += count;
    extent->extentLength = newSize;
    index_.Update(extent);
}

// Drops the first count bytes of a chunk that holds more.
void CFileBuffer::DropFront(CBufferChunk* chunk, int64_t count)
{
    if (chunk->IsExtent()) {
        auto* extent = AsExtent(chunk);
        extent->start += count;
        extent->extentLength -= count;
        index_.Update(extent);
        return;
    }
    std::memmove(chunk->Data(), chunk->Data() + count, size_t(chunk->length - count));
    ShrinkChunk(chunk, chunk->length - count);
}

// Deletes count bytes from the middle of the cursor's extent, which becomes
// two extents around the gap. False, with nothing changed, when memory runs out.
bool CFileBuffer::CutExtentMiddle(CBufferPos& cursor, int64_t count)
{
    auto* extent = AsExtent(cursor.chunk_);
    const int64_t keep = cursor.offsetInChunk_;
    CFileExtent* rest =
        NewExtent(extent->source, extent->start + keep + count, extent->extentLength - keep - count);
    if (!rest)
        return false;
    const int64_t oldLength = extent->extentLength;
    extent->extentLength = keep;
    index_.Update(extent);
    if (!LinkAfter(extent, rest)) {
        extent->extentLength = oldLength;
        index_.Update(extent);
        FreeChunk(rest);
        return false;
    }
    return true;
}

// An insertion that ran out of memory after moving the first chunk's bytes
// away, or after adding an empty chunk to insert into, can leave that chunk
// empty; a neighbour takes its place.
void CFileBuffer::DropEmptyChunk(CBufferPos& cursor)
{
    CBufferChunk* chunk = cursor.chunk_;
    if (chunk->IsExtent() || chunk->length != 0 || (!chunk->next && !chunk->prev))
        return;
    if (chunk->next)
        cursor.PlaceAt(chunk->next, 0, cursor.offset_);
    else
        cursor.PlaceAt(chunk->prev, int64_t(chunk->prev->Size()), cursor.offset_);
    Unlink(chunk);
    FreeChunk(chunk);
}

// Joins the cursor's chunk and its successor when they fit in one chunk, so
// that repeated small deletions do not leave ever more small chunks.
void CFileBuffer::MergeWithNext(CBufferPos& cursor, bool nextLookedAt, int64_t& oldEnd)
{
    CBufferChunk* chunk = cursor.chunk_;
    CBufferChunk* next = chunk->next;
    if (!next)
        return;
    const bool empty = !chunk->IsExtent() && chunk->length == 0;
    if (!empty && (chunk->IsExtent() || next->IsExtent() || chunk->length + next->length > MAX_CHUNK))
        return;
    if (!nextLookedAt)
        oldEnd += int64_t(next->Size());
    if (empty) {
        DropEmptyChunk(cursor);  // an emptied first chunk
        return;
    }
    CBufferChunk* grown = GrowChunk(chunk, chunk->length, next->length);
    if (!grown) {
        ReportOutOfMemory();  // the two chunks stay apart; no data is lost
        return;
    }
    std::memcpy(grown->Data() + grown->length - next->length, next->Data(), size_t(next->length));
    Unlink(next);
    FreeChunk(next);
    cursor.chunk_ = grown;
}

// ---------------------------------------------------------------- pieces

bool CFileBuffer::DescribeRange(int64_t offset, int64_t count, std::vector<StoredSegment>& segments,
                                std::unique_ptr<uint8_t[]>& bytes, int64_t& byteCount) const
{
    count = std::clamp<int64_t>(count, 0, size_ - std::clamp<int64_t>(offset, 0, size_));
    int64_t elementStart = 0;
    const CBufferChunk* first = count > 0 ? index_.Find(offset, &elementStart) : nullptr;
    // Walks the stretch, handing each element's part in it to visit.
    auto walk = [&](auto visit) {
        int64_t at = offset;
        int64_t start = elementStart;
        for (const CBufferChunk* c = first; c && at < int64_t(offset) + count; start += c->Size(), c = c->next) {
            const int64_t n = std::min(start + c->Size(), int64_t(offset) + count) - at;
            if (n > 0) {
                visit(c, at - start, n);
                at += n;
            }
        }
    };
    byteCount = 0;
    walk([&](const CBufferChunk* c, int64_t, int64_t n) { byteCount += c->IsExtent() ? 0 : n; });
    bytes.reset(byteCount > 0 ? new (std::nothrow) uint8_t[size_t(byteCount)] : nullptr);
    if (byteCount > 0 && !bytes)
        return false;
    try {
        segments.clear();
        int64_t filled = 0;
        walk([&](const CBufferChunk* c, int64_t in, int64_t n) {
            if (c->IsExtent()) {
                const CFileExtent* e = AsExtent(c);
                segments.push_back(StoredSegment{SharedSource(e->source), e->start + in, n});
                return;
            }
            std::memcpy(bytes.get() + filled, c->Data() + in, size_t(n));
            if (!segments.empty() && !segments.back().source)
                segments.back().length += n;
            else
                segments.push_back(StoredSegment{nullptr, filled, n});
            filled += n;
        });
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

int64_t CFileBuffer::InsertPieces(CBufferPos& cursor, const std::vector<StoredSegment>& segments,
                                  const uint8_t* bytes)
{
    const int64_t start = cursor.offset_;
    int64_t total = 0;
    for (const StoredSegment& segment : segments) {
        const auto length = int64_t(segment.length);
        int64_t inserted = 0;
        if (segment.source) {
            inserted = InsertExtent(cursor, segment.source, segment.start, length);
        } else {
            inserted = cursor.Insert(length);
            cursor.Write(bytes + segment.start, inserted);
        }
        cursor.Forward(inserted);
        total += inserted;
        if (inserted < length)
            break;
    }
    cursor.Seek(start);
    return total;
}

std::shared_ptr<platform::SourceFile> CFileBuffer::SharedSource(const platform::SourceFile* source) const
{
    for (const auto& held : sources_)
        if (held.get() == source)
            return held;
    return nullptr;
}

bool CFileBuffer::AdoptSource(const std::shared_ptr<platform::SourceFile>& source)
{
    if (SharedSource(source.get()))
        return true;
    try {
        sources_.push_back(source);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

int64_t CFileBuffer::InsertExtent(CBufferPos& cursor, const std::shared_ptr<platform::SourceFile>& source,
                                  int64_t start, int64_t length)
{
    if (!AdoptSource(source)) {
        ReportOutOfMemory();
        return 0;
    }
    BufferEdit edit{};
    if (!BeginInsert(cursor, length, edit))
        return 0;
    const int64_t at = cursor.offset_;
    CFileExtent* extent = NewExtent(source.get(), start, length);
    if (!extent || !LinkExtentAt(cursor, edit, extent)) {
        if (extent)
            FreeChunk(extent);
        ReportOutOfMemory();
        // Splitting a chunk may have moved bytes: positions find theirs again.
        NotifyInsert(cursor, edit);
        return 0;
    }
    cursor.PlaceAt(extent, 0, at);
    edit.count = length;
    size_ += length;
    NotifyInsert(cursor, edit);
    return length;
}

// Links the extent at the cursor's place, splitting the chunk or extent
// there. False when memory runs out; the contents are unchanged then.
bool CFileBuffer::LinkExtentAt(CBufferPos& cursor, BufferEdit& edit, CFileExtent* extent)
{
    CBufferChunk* chunk = cursor.chunk_;
    const int64_t in = cursor.offsetInChunk_;
    if (!chunk->IsExtent() && chunk->length == 0) {
        // The one empty chunk of an empty buffer gives way.
        if (!LinkAfter(chunk, extent))
            return false;
        Unlink(chunk);
        FreeChunk(chunk);
        return true;
    }
    if (in == 0)
        return LinkBefore(chunk, extent);
    if (in == chunk->Size())
        return LinkAfter(chunk, extent);
    if (!chunk->IsExtent())
        return MoveTailOut(cursor, edit, 0) && LinkAfter(cursor.chunk_, extent);
    auto* split = AsExtent(chunk);
    CFileExtent* rest = NewExtent(split->source, split->start + in, split->extentLength - in);
    if (!rest || !LinkAfter(split, rest)) {
        if (rest)
            FreeChunk(rest);
        return false;
    }
    split->extentLength = in;
    index_.Update(split);
    return LinkAfter(split, extent);  // failing leaves the split, which changes no byte
}

// ---------------------------------------------------------------- writing in place

bool CFileBuffer::MakeWritable(CBufferPos& cursor, int64_t count)
{
    // Typing: the bytes lie in the cursor's own memory chunk.
    if (!cursor.chunk_->IsExtent() && cursor.offsetInChunk_ + count <= cursor.chunk_->length)
        return true;
    const int64_t at = cursor.offset_;
    const int64_t end = std::min<int64_t>(int64_t(at) + count, size_);
    const int64_t touchedStart = at - cursor.offsetInChunk_;
    int64_t elementStart = touchedStart;
    bool changed = false;
    bool complete = true;
    for (CBufferChunk* element = cursor.chunk_; complete && element && elementStart < end;) {
        CBufferChunk* next = element->next;
        const int64_t size = element->Size();
        if (element->IsExtent() && elementStart + size > at) {
            // Whole MAX_CHUNK pieces around the written bytes come into
            // memory, so that typing on keeps writing into the same chunk.
            const int64_t from = (std::max<int64_t>(at, elementStart) - elementStart) / MAX_CHUNK * MAX_CHUNK;
            const int64_t to = std::min(size, (end - elementStart + MAX_CHUNK - 1) / MAX_CHUNK * MAX_CHUNK);
            complete = MakeExtentWritable(AsExtent(element), from, to);
            changed = changed || complete;
        }
        elementStart += size;
        element = next;
    }
    if (changed) {
        // The cursor's own chunk may be gone: find its place again, then let
        // every other position inside the changed stretch do the same.
        int64_t chunkStart = 0;
        CBufferChunk* chunk = index_.Find(at, &chunkStart);
        cursor.PlaceAt(chunk, int64_t(at - chunkStart), at);
        NotifyInsert(cursor, BufferEdit{at, 0, touchedStart, int64_t(elementStart)});
    }
    return complete;
}

// Bytes from..to of the extent become memory chunks linked in their place;
// the extent keeps what lies before them and a new extent what lies after.
// Each step keeps the list's contents whole, so running out of memory or
// failing to read the file undoes what was done and changes nothing.
bool CFileBuffer::MakeExtentWritable(CFileExtent* extent, int64_t from, int64_t to)
{
    std::vector<CBufferChunk*> chunks;
    auto freeChunks = [&] {
        for (CBufferChunk* chunk : chunks)
            FreeChunk(chunk);
        return false;
    };
    for (int64_t at = from; at < to; at += MAX_CHUNK) {
        const auto n = int64_t(std::min<int64_t>(MAX_CHUNK, to - at));
        CBufferChunk* chunk = NewChunk(RoundedCapacity(n));
        if (!chunk) {
            ReportOutOfMemory();
            return freeChunks();
        }
        chunks.push_back(chunk);
        chunk->length = uint16_t(n);
        if (!ReadExtentCached(extent, at, chunk->Data(), n))
            return freeChunks();
    }
    const int64_t oldLength = extent->extentLength;
    CFileExtent* rest = nullptr;
    if (to < oldLength) {
        rest = NewExtent(extent->source, extent->start + to, oldLength - to);
        if (!rest || !LinkAfter(extent, rest)) {
            if (rest)
                FreeChunk(rest);
            ReportOutOfMemory();
            return freeChunks();
        }
        extent->extentLength = to;
        index_.Update(extent);
    }
    CBufferChunk* anchor = extent;
    size_t linked = 0;
    for (; linked < chunks.size() && LinkAfter(anchor, chunks[linked]); ++linked)
        anchor = chunks[linked];
    if (linked < chunks.size()) {
        while (linked > 0) {
            Unlink(chunks[--linked]);
        }
        if (rest) {
            Unlink(rest);
            FreeChunk(rest);
            extent->extentLength = oldLength;
            index_.Update(extent);
        }
        ReportOutOfMemory();
        return freeChunks();
    }
    if (from == 0) {
        Unlink(extent);
        FreeChunk(extent);
    } else {
        extent->extentLength = from;
        index_.Update(extent);
    }
    return true;
}

// ---------------------------------------------------------------- notification

void CFileBuffer::NotifyInsert(const CBufferPos& editor, const BufferEdit& edit)
{
    for (CBufferPos* cursor : cursors_)
        if (cursor != &editor)
            cursor->OnInsert(editor, edit);
}

void CFileBuffer::NotifyDelete(const CBufferPos& editor, const BufferEdit& edit)
{
    for (CBufferPos* cursor : cursors_)
        if (cursor != &editor)
            cursor->OnDelete(editor, edit);
}

// ---------------------------------------------------------------- checking

bool CFileBuffer::CheckInvariants(std::string* why) const
{
    auto fail = [why](std::string text) {
        if (why)
            *why = std::move(text);
        return false;
    };
    if (!first_ || !last_ || first_->prev || last_->next)
        return fail("list ends are wrong");
    int64_t total = 0;
    int64_t chunks = 0;
    for (const CBufferChunk* c = first_; c; c = c->next) {
        if (c->IsExtent()) {
            const CFileExtent* e = AsExtent(c);
            if (e->extentLength <= 0 || e->extentLength > MAX_EXTENT || e->length != 0)
                return fail("extent length out of range at offset " + std::to_string(total));
            if (!e->source || e->start < 0 || e->start + e->extentLength > e->source->Size())
                return fail("extent outside its file at offset " + std::to_string(total));
            if (std::none_of(sources_.begin(), sources_.end(), [e](const auto& s) { return s.get() == e->source; }))
                return fail("extent of a file the buffer does not hold at offset " + std::to_string(total));
        } else if (c->length > MAX_CHUNK || c->length > c->capacity || c->capacity > MAX_CHUNK)
            return fail("chunk length out of range at offset " + std::to_string(total));
        if (!c->IsExtent() && c->length == 0 && (c != first_ || c != last_))
            return fail("empty chunk at offset " + std::to_string(total));
        if (c->next && c->next->prev != c)
            return fail("broken back link at offset " + std::to_string(total));
        if (!c->next && c != last_)
            return fail("last chunk is not the end of the list");
        total += c->Size();
        ++chunks;
    }
    if (total != size_)
        return fail("size " + std::to_string(size_) + " but chunks hold " + std::to_string(total));
    if (!index_.Check(first_, size_, why))
        return false;
    if (cache_ && !cache_->Check(why))
        return false;
    for (const CBufferPos* cursor : cursors_) {
        int64_t start = 0;
        const CBufferChunk* c = first_;
        while (c && c != cursor->chunk_) {
            start += c->Size();
            c = c->next;
        }
        if (!c)
            return fail("a position's chunk is not in the list");
        if (cursor->offsetInChunk_ < 0 || cursor->offsetInChunk_ > c->Size())
            return fail("a position lies outside its chunk");
        if (start + cursor->offsetInChunk_ != cursor->offset_)
            return fail("position offset " + std::to_string(cursor->offset_) + " but its chunk place is " +
                        std::to_string(start + cursor->offsetInChunk_));
    }
    (void)chunks;
    return true;
}

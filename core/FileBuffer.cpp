#include "FileBuffer.h"

#include "ChunksToTempFile.h"

#include "platform/AtomicFileWriter.h"
#include "platform/FileReader.h"

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
    return reinterpret_cast<const unsigned char*>(chunk) == embedded_;
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

void CFileBuffer::FreeChunk(CBufferChunk* chunk)
{
    if (!IsEmbedded(chunk))
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

bool CFileBuffer::LoadFromFile(const QString& path, int32_t sizeLimit)
{
    BeginOperation();
    const bool loaded = ReadContents(path, std::clamp(sizeLimit, 0, MAX_FILE_SIZE));
    if (!loaded)
        MakeEmpty();
    ResetCursors();
    return loaded;
}

bool CFileBuffer::ReadContents(const QString& path, int32_t sizeLimit)
{
    heap_.Release();
    index_.Forget();
    first_ = last_ = nullptr;
    size_ = 0;

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
    while (remaining > 0) {
        int count = 0;
        int64_t planned = 0;
        while (count < kChunksPerRead && planned < remaining) {
            const auto n = int32_t(std::min<int64_t>(remaining - planned, MAX_CHUNK));
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
        if (got == 0)
            break;  // the file became shorter while we read it
        remaining -= got;
        for (int i = 0; i < count; ++i) {
            const auto take = int32_t(std::min<int64_t>(got, batch[i]->capacity));
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

bool CFileBuffer::SaveToFile(const QString& path) const
{
    BeginOperation();
    platform::AtomicFileWriter writer;
    if (!writer.Open(path)) {
        ReportFileError(writer.Error(), path);
        return false;
    }
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[kSaveBlock]);
    if (!block) {
        ReportOutOfMemory();
        return false;
    }
    size_t filled = 0;
    for (const CBufferChunk* chunk = first_; chunk; chunk = chunk->next) {
        if (filled + size_t(chunk->length) > kSaveBlock) {
            if (!writer.Write(block.get(), int64_t(filled)))
                break;
            filled = 0;
        }
        std::memcpy(block.get() + filled, chunk->Data(), size_t(chunk->length));
        filled += size_t(chunk->length);
    }
    if (writer.Error() == 0 && (filled == 0 || writer.Write(block.get(), int64_t(filled))) && writer.Commit())
        return true;
    ReportFileError(writer.Error(), path);
    return false;
}

bool CFileBuffer::WriteToTempFile(const QString& path) const
{
    const int error = WriteChunksToTempFile(first_, 0, size_, path);
    if (error != 0)
        ReportFileError(error, path);
    return error == 0;
}

// ---------------------------------------------------------------- insert

void CFileBuffer::HintIndex(const CBufferPos& cursor) const
{
    if (cursor.slot_ >= 0)
        index_.Hint(cursor.chunk_, cursor.slot_);
}

int32_t CFileBuffer::InsertAt(CBufferPos& cursor, int32_t count)
{
    BeginOperation();
    if (count <= 0)
        return 0;
    if (count > MAX_FILE_SIZE - size_) {
        Report(CoreProblem{CoreError::SizeLimitOnInsert});
        return 0;
    }
    const int32_t at = cursor.offset_;
    CBufferChunk* chunk = cursor.chunk_;
    const int32_t chunkStart = at - cursor.offsetInChunk_;
    BufferEdit edit{at, 0, chunkStart, chunkStart + chunk->length};
    HintIndex(cursor);

    if (chunk->length + count <= MAX_CHUNK) {
        CBufferChunk* grown = GrowChunk(chunk, cursor.offsetInChunk_, count);
        if (!grown) {
            ReportOutOfMemory();
            return 0;
        }
        cursor.chunk_ = grown;
        edit.count = count;
        size_ += count;
        NotifyInsert(cursor, edit);
        return count;
    }

    if (cursor.offsetInChunk_ == 0 && chunk->prev) {
        chunk = chunk->prev;
        cursor.PlaceAt(chunk, chunk->length, at);
        edit.touchedStart = at - chunk->length;
        edit.touchedEnd = at;
    }
    // The tail's old place becomes the start of the gap: the chunk is resized
    // once, to its bytes before the cursor plus as much of the gap as fits.
    const int32_t opened = std::min(count, cursor.chunk_->length - cursor.offsetInChunk_);
    int32_t inserted = 0;
    bool complete = MoveTailOut(cursor, edit, opened);
    if (complete) {
        inserted = opened;
        const int32_t room = std::min(MAX_CHUNK - cursor.chunk_->length, count - inserted);
        if (room > 0) {
            CBufferChunk* grown = GrowChunk(cursor.chunk_, cursor.chunk_->length, room);
            complete = grown != nullptr;
            if (grown) {
                cursor.chunk_ = grown;
                inserted += room;
            }
        }
        if (complete) {
            const int32_t appended = AppendGapChunks(cursor, count - inserted);
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
    const int32_t tail = chunk->length - cursor.offsetInChunk_;
    if (tail == 0)
        return true;
    const uint8_t* tailBytes = chunk->Data() + cursor.offsetInChunk_;
    CBufferChunk* next = chunk->next;
    if (next && tail + next->length <= MAX_CHUNK) {
        const int32_t nextLength = next->length;
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

// Links new chunks for count gap bytes right after the cursor's chunk: the
// first one holds the odd remainder, every further one a full MAX_CHUNK.
int32_t CFileBuffer::AppendGapChunks(CBufferPos& cursor, int32_t count)
{
    int32_t added = 0;
    while (added < count) {
        const int32_t rest = count - added;
        const int32_t n = added == 0 && rest % MAX_CHUNK != 0 ? rest % MAX_CHUNK : MAX_CHUNK;
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

int32_t CFileBuffer::DeleteAt(CBufferPos& cursor, int32_t count)
{
    BeginOperation();
    const int32_t at = cursor.offset_;
    count = std::min(count, size_ - at);
    if (count <= 0)
        return 0;
    CBufferChunk* chunk = cursor.chunk_;
    const int32_t chunkStart = at - cursor.offsetInChunk_;
    BufferEdit edit{at, count, chunkStart, chunkStart + chunk->length};
    HintIndex(cursor);
    int32_t oldEnd = edit.touchedEnd;  // old end offset of the last chunk looked at

    const int32_t inChunk = std::min(count, chunk->length - cursor.offsetInChunk_);
    if (inChunk > 0) {
        uint8_t* data = chunk->Data();
        std::memmove(data + cursor.offsetInChunk_, data + cursor.offsetInChunk_ + inChunk,
                     size_t(chunk->length - cursor.offsetInChunk_ - inChunk));
        const int32_t newLength = chunk->length - inChunk;
        if (newLength == 0 && chunk->prev) {
            CBufferChunk* prev = chunk->prev;
            Unlink(chunk);
            FreeChunk(chunk);
            cursor.PlaceAt(prev, prev->length, at);
            edit.touchedStart = at - prev->length;
        } else {
            cursor.chunk_ = ShrinkChunk(chunk, newLength);
        }
    }

    int32_t remaining = count - inChunk;
    bool nextLookedAt = false;
    CBufferChunk* next = cursor.chunk_->next;
    while (remaining > 0) {
        oldEnd += next->length;
        nextLookedAt = true;
        if (next->length <= remaining) {
            remaining -= next->length;
            CBufferChunk* after = next->next;
            Unlink(next);
            FreeChunk(next);
            next = after;
            nextLookedAt = false;
        } else {
            std::memmove(next->Data(), next->Data() + remaining, size_t(next->length - remaining));
            ShrinkChunk(next, next->length - remaining);
            remaining = 0;
        }
    }

    MergeWithNext(cursor, nextLookedAt, oldEnd);
    edit.touchedEnd = oldEnd;
    size_ -= count;
    NotifyDelete(cursor, edit);
    return count;
}

// An insertion that ran out of memory after moving the first chunk's bytes
// away can leave that chunk empty; its successor takes its place.
void CFileBuffer::DropEmptyChunk(CBufferPos& cursor)
{
    CBufferChunk* chunk = cursor.chunk_;
    if (chunk->length != 0 || !chunk->next)
        return;
    CBufferChunk* next = chunk->next;
    Unlink(chunk);
    FreeChunk(chunk);
    cursor.PlaceAt(next, 0, cursor.offset_);
}

// Joins the cursor's chunk and its successor when they fit in one chunk, so
// that repeated small deletions do not leave ever more small chunks.
void CFileBuffer::MergeWithNext(CBufferPos& cursor, bool nextLookedAt, int32_t& oldEnd)
{
    CBufferChunk* chunk = cursor.chunk_;
    CBufferChunk* next = chunk->next;
    if (!next || chunk->length + next->length > MAX_CHUNK)
        return;
    if (!nextLookedAt)
        oldEnd += next->length;
    if (chunk->length == 0) {
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
        if (c->length > MAX_CHUNK || c->length > c->capacity || c->capacity > MAX_CHUNK)
            return fail("chunk length out of range at offset " + std::to_string(total));
        if (c->length == 0 && (c != first_ || c != last_))
            return fail("empty chunk at offset " + std::to_string(total));
        if (c->next && c->next->prev != c)
            return fail("broken back link at offset " + std::to_string(total));
        if (!c->next && c != last_)
            return fail("last chunk is not the end of the list");
        total += c->length;
        ++chunks;
    }
    if (total != size_)
        return fail("size " + std::to_string(size_) + " but chunks hold " + std::to_string(total));
    if (!index_.Check(first_, size_, why))
        return false;
    for (const CBufferPos* cursor : cursors_) {
        int64_t start = 0;
        const CBufferChunk* c = first_;
        while (c && c != cursor->chunk_) {
            start += c->length;
            c = c->next;
        }
        if (!c)
            return fail("a position's chunk is not in the list");
        if (cursor->offsetInChunk_ < 0 || cursor->offsetInChunk_ > c->length)
            return fail("a position lies outside its chunk");
        if (start + cursor->offsetInChunk_ != cursor->offset_)
            return fail("position offset " + std::to_string(cursor->offset_) + " but its chunk place is " +
                        std::to_string(start + cursor->offsetInChunk_));
    }
    (void)chunks;
    return true;
}

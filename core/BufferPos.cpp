#include "BufferPos.h"
#include "FileBuffer.h"

#include <algorithm>
#include <cstring>

CBufferPos::CBufferPos(const CBufferPos& other)
    : buffer_(other.buffer_), chunk_(other.chunk_), offsetInChunk_(other.offsetInChunk_), offset_(other.offset_),
      slot_(other.slot_)
{
}

CBufferPos& CBufferPos::operator=(const CBufferPos& other)
{
    if (this == &other)
        return *this;
    const bool stayRegistered = registered_;
    if (registered_ && buffer_ != other.buffer_)
        buffer_->Detach(this);
    buffer_ = other.buffer_;
    chunk_ = other.chunk_;
    offsetInChunk_ = other.offsetInChunk_;
    offset_ = other.offset_;
    slot_ = other.slot_;
    if (stayRegistered && !registered_ && buffer_)
        buffer_->Attach(this);
    return *this;
}

CBufferPos::~CBufferPos()
{
    if (registered_ && buffer_)
        buffer_->Detach(this);
}

int64_t CBufferPos::Bind(CFileBuffer* buffer, bool registerIt, int64_t offset)
{
    if (buffer_ != buffer)
        Unbind();
    buffer_ = buffer;
    if (!buffer_)
        return 0;
    if (registerIt && !registered_)
        buffer_->Attach(this);
    PlaceAt(buffer_->first_, 0, 0);
    return Seek(offset);
}

void CBufferPos::Unbind()
{
    if (registered_ && buffer_)
        buffer_->Detach(this);
    registered_ = false;
    buffer_ = nullptr;
    chunk_ = nullptr;
    offsetInChunk_ = offset_ = 0;
}

void CBufferPos::PlaceAt(CBufferChunk* chunk, int64_t offsetInChunk, int64_t offset)
{
    chunk_ = chunk;
    offsetInChunk_ = offsetInChunk;
    offset_ = offset;
    slot_ = -1;
}

void CBufferPos::WalkForward(int64_t count)
{
    while (count > chunk_->Size() - offsetInChunk_) {
        const auto rest = int64_t(chunk_->Size() - offsetInChunk_);
        count -= rest;
        offset_ += rest;
        // Leaves list the chunks in order: the next chunk is the next entry
        // of the same leaf or the first entry of another.
        CBufferChunk* next = chunk_->next;
        slot_ = next->leaf != chunk_->leaf ? 0 : slot_ >= 0 ? int16_t(slot_ + 1) : -1;
        chunk_ = next;
        offsetInChunk_ = 0;
    }
    offsetInChunk_ += count;
    offset_ += count;
}

void CBufferPos::WalkBack(int64_t count)
{
    while (count > offsetInChunk_) {
        count -= offsetInChunk_;
        offset_ -= offsetInChunk_;
        CBufferChunk* prev = chunk_->prev;
        slot_ = prev->leaf == chunk_->leaf && slot_ > 0 ? int16_t(slot_ - 1) : -1;
        chunk_ = prev;
        offsetInChunk_ = int64_t(chunk_->Size());
    }
    offsetInChunk_ -= count;
    offset_ -= count;
}

namespace {
// Jumps shorter than this walk the list from the current place; a walk over
// a few neighbouring chunks is cheaper than a descent through the index.
constexpr int64_t kNearWalk = 4 * MAX_CHUNK;
} // namespace

int64_t CBufferPos::Seek(int64_t target)
{
    if (!buffer_)
        return 0;
    target = std::clamp<int64_t>(target, 0, buffer_->size_);
    const int64_t here = offset_;
    if (target > here && target - here <= kNearWalk) {
        WalkForward(target - here);
    } else if (target < here && here - target <= kNearWalk) {
        WalkBack(here - target);
    } else if (target != here) {
        int64_t chunkStart = 0;
        int slot = 0;
        CBufferChunk* chunk = buffer_->index_.Find(target, &chunkStart, &slot);
        PlaceAt(chunk, int64_t(target - chunkStart), target);
        slot_ = int16_t(slot);
    }
    return offset_;
}

int64_t CBufferPos::Forward(int64_t count)
{
    if (!buffer_ || count <= 0)
        return 0;
    const int64_t moved = std::min(count, buffer_->size_ - offset_);
    WalkForward(moved);
    return moved;
}

int64_t CBufferPos::Back(int64_t count)
{
    if (!buffer_ || count <= 0)
        return 0;
    const int64_t moved = std::min(count, offset_);
    WalkBack(moved);
    return moved;
}

namespace {
// Visits the bytes from a place onward, piece by piece, without moving the
// position. Extents are handed to visitExtent, memory to visitMemory; either
// may stop the visit by returning false.
template <typename VisitMemory, typename VisitExtent>
int64_t VisitBytes(CBufferChunk* chunk, int64_t offsetInChunk, int64_t count, VisitMemory visitMemory,
                   VisitExtent visitExtent)
{
    int64_t done = 0;
    while (done < count) {
        if (offsetInChunk == chunk->Size()) {
            chunk = chunk->next;
            offsetInChunk = 0;
            continue;
        }
        const auto piece = int64_t(std::min<int64_t>(count - done, chunk->Size() - offsetInChunk));
        const bool went = chunk->IsExtent() ? visitExtent(AsExtent(chunk), offsetInChunk, done, piece)
                                            : visitMemory(chunk->Data() + offsetInChunk, done, piece);
        if (!went)
            break;
        done += piece;
        offsetInChunk += piece;
    }
    return done;
}

// Writing needs memory chunks; MakeWritable has made them.
bool NoExtentHere(const CFileExtent*, int64_t, int64_t, int64_t) { return false; }
} // namespace

int64_t CBufferPos::Read(void* destination, int64_t count) const
{
    if (!buffer_ || count <= 0)
        return 0;
    count = std::min(count, buffer_->size_ - offset_);
    auto* out = static_cast<uint8_t*>(destination);
    const CFileBuffer* buffer = buffer_;
    return VisitBytes(
        chunk_, offsetInChunk_, count,
        [out](uint8_t* bytes, int64_t done, int64_t n) {
            std::memcpy(out + done, bytes, size_t(n));
            return true;
        },
        [out, buffer](const CFileExtent* extent, int64_t inExtent, int64_t done, int64_t n) {
            return buffer->ReadExtentCached(extent, inExtent, out + done, n);
        });
}

int64_t CBufferPos::Write(const void* source, int64_t count)
{
    if (!buffer_ || count <= 0)
        return 0;
    count = std::min(count, buffer_->size_ - offset_);
    const auto* in = static_cast<const uint8_t*>(source);
    // Typing writes inside the cursor's own memory chunk: no walk, and no
    // call to MakeWritable (which would only find the same thing).
    if (!chunk_->IsExtent() && offsetInChunk_ + count <= chunk_->length) {
        std::memcpy(chunk_->Data() + offsetInChunk_, in, size_t(count));
        return count;
    }
    if (!buffer_->MakeWritable(*this, count))
        return 0;
    return VisitBytes(
        chunk_, offsetInChunk_, count,
        [in](uint8_t* bytes, int64_t done, int64_t n) {
            std::memcpy(bytes, in + done, size_t(n));
            return true;
        },
        NoExtentHere);
}

int64_t CBufferPos::Fill(uint8_t value, int64_t count)
{
    if (!buffer_ || count <= 0)
        return 0;
    count = std::min(count, buffer_->size_ - offset_);
    if (!buffer_->MakeWritable(*this, count))
        return 0;
    return VisitBytes(
        chunk_, offsetInChunk_, count,
        [value](uint8_t* bytes, int64_t, int64_t n) {
            std::memset(bytes, value, size_t(n));
            return true;
        },
        NoExtentHere);
}

int64_t CBufferPos::Insert(int64_t count) { return buffer_ ? buffer_->InsertAt(*this, count) : 0; }

int64_t CBufferPos::Delete(int64_t count) { return buffer_ ? buffer_->DeleteAt(*this, count) : 0; }

void CBufferPos::FollowEdit(const CBufferPos& editor, const BufferEdit& edit, int64_t newOffset)
{
    if (offset_ < edit.touchedStart || offset_ > edit.touchedEnd) {
        offset_ = newOffset;  // our chunk was not touched; only the bytes before it changed
        return;
    }
    PlaceAt(editor.chunk_, editor.offsetInChunk_, editor.offset_);
    if (newOffset > offset_)
        WalkForward(newOffset - offset_);
    else
        WalkBack(offset_ - newOffset);
}

void CBufferPos::OnInsert(const CBufferPos& editor, const BufferEdit& edit)
{
    FollowEdit(editor, edit, offset_ >= edit.offset ? offset_ + edit.count : offset_);
}

void CBufferPos::OnDelete(const CBufferPos& editor, const BufferEdit& edit)
{
    int64_t newOffset = offset_;
    if (offset_ >= edit.offset + edit.count)
        newOffset = offset_ - edit.count;
    else if (offset_ > edit.offset)
        newOffset = edit.offset;
    FollowEdit(editor, edit, newOffset);
}

void CBufferPos::OnReset()
{
    if (buffer_)
        PlaceAt(buffer_->first_, 0, 0);
}

#pragma once
// Walking a file buffer's chunk list directly, for the comparison's hot
// loops: a span of contiguous bytes at a place, a byte-at-a-time reader, and
// an index of the chunks a walk has passed so that any offset behind it can
// be found again without walking from a cursor.
#include "core/BufferChunk.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

// A place inside a chunk list; at the end of a chunk it steps on to the
// next non-empty one before handing out bytes.
struct ChunkPlace {
    const CBufferChunk* chunk = nullptr;
    int32_t inChunk = 0;

    // Bytes readable at the place without crossing a chunk; 0 only at the
    // end of the buffer.
    int32_t Contiguous()
    {
        while (inChunk == chunk->length && chunk->next) {
            chunk = chunk->next;
            inChunk = 0;
        }
        return chunk->length - inChunk;
    }
    const uint8_t* Bytes() const { return chunk->Data() + inChunk; }
};

// Reads bytes one after the other; the caller never reads past the end.
// Each chunk entered is reported to onChunk (with the offset of its byte 0).
class ByteWalker {
public:
    ByteWalker() = default;
    ByteWalker(const CBufferChunk* chunk, int32_t inChunk, int32_t offset)
        : chunk_(chunk), inChunk_(inChunk), chunkStart_(offset - inChunk)
    {
    }

    template <typename OnChunk>
    uint8_t Next(OnChunk onChunk)
    {
        while (inChunk_ == chunk_->length) {
            chunkStart_ += chunk_->length;
            chunk_ = chunk_->next;
            inChunk_ = 0;
            onChunk(chunk_, chunkStart_);
        }
        return chunk_->Data()[inChunk_++];
    }
    uint8_t Next()
    {
        return Next([](const CBufferChunk*, int32_t) {});
    }

private:
    const CBufferChunk* chunk_ = nullptr;
    int32_t inChunk_ = 0;
    int32_t chunkStart_ = 0;
};

// The chunks from one place onward, in order, with the offset of each one's
// byte 0.
class ChunkStarts {
public:
    void Add(const CBufferChunk* chunk, int32_t start)
    {
        chunks_.push_back(chunk);
        starts_.push_back(start);
    }
    // The place of an offset covered by the chunks added so far.
    ChunkPlace Locate(int32_t offset) const
    {
        const auto it = std::upper_bound(starts_.begin(), starts_.end(), offset);
        const size_t k = size_t(it - starts_.begin()) - 1;
        return ChunkPlace{chunks_[k], offset - starts_[k]};
    }
    size_t MemoryBytes() const { return chunks_.capacity() * sizeof(void*) + starts_.capacity() * sizeof(int32_t); }

private:
    std::vector<const CBufferChunk*> chunks_;
    std::vector<int32_t> starts_;
};

// Whether count bytes at a equal count bytes at b (both inside their buffers).
inline bool SameBytes(ChunkPlace a, ChunkPlace b, int32_t count)
{
    while (count > 0) {
        const int32_t n = std::min({a.Contiguous(), b.Contiguous(), count});
        if (std::memcmp(a.Bytes(), b.Bytes(), size_t(n)) != 0)
            return false;
        a.inChunk += n;
        b.inChunk += n;
        count -= n;
    }
    return true;
}

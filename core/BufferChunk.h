#pragma once
#include <cstdint>

namespace platform {
class SourceFile;
}

// No chunk ever holds more than this many bytes; edits move at most a few chunks.
constexpr int32_t MAX_CHUNK = 2048;
// Largest file a document opens or grows to: every offset, size and count,
// in the core and in the windows and tools above it, is signed 64-bit.
constexpr int64_t MAX_FILE_SIZE = INT64_MAX;
// A chunk of this capacity holds no bytes: it is a file extent, a stretch of
// a file on disk that is read only when its bytes are wanted.
constexpr uint16_t EXTENT_CAPACITY = UINT16_MAX;
// Longest single extent (the seek index counts lengths in 32 bits); a longer
// stretch of a file is several extents one after the other.
constexpr int64_t MAX_EXTENT = UINT32_MAX;

// One link of a buffer's list: a header followed by capacity data bytes, or
// by the description of a file extent. A memory chunk's length and capacity
// never exceed MAX_CHUNK, so 16 bits each leave room for the seek index's
// back link without growing the header beyond 24 bytes: on half a million
// chunks per GiB, every header byte costs half a MiB.
struct CBufferChunk {
    CBufferChunk* next;
    CBufferChunk* prev;
    uint32_t leaf;      // number of the seek index's leaf that lists this chunk
    uint16_t length;    // bytes used, 0 to MAX_CHUNK; 0 for an extent
    uint16_t capacity;  // bytes allocated after the header, at most MAX_CHUNK; EXTENT_CAPACITY for an extent

    uint8_t* Data() { return reinterpret_cast<uint8_t*>(this + 1); }
    const uint8_t* Data() const { return reinterpret_cast<const uint8_t*>(this + 1); }
    bool IsExtent() const { return capacity == EXTENT_CAPACITY; }
    // Bytes this link stands for, whichever kind it is.
    inline int64_t Size() const;
};
static_assert(sizeof(CBufferChunk) == 24, "chunk data follows a 24-byte header");
static_assert(MAX_CHUNK <= UINT16_MAX && MAX_CHUNK < EXTENT_CAPACITY, "a chunk's length and capacity fit in 16 bits");

// A stretch of a file on disk: length bytes from start. The source stays
// open as long as the buffer (or a history entry) may still read from it.
struct CFileExtent : CBufferChunk {
    const platform::SourceFile* source;
    int64_t start;
    int64_t extentLength;  // 1 to MAX_EXTENT
};

inline int64_t CBufferChunk::Size() const
{
    return IsExtent() ? static_cast<const CFileExtent*>(this)->extentLength : length;
}

inline const CFileExtent* AsExtent(const CBufferChunk* chunk) { return static_cast<const CFileExtent*>(chunk); }
inline CFileExtent* AsExtent(CBufferChunk* chunk) { return static_cast<CFileExtent*>(chunk); }

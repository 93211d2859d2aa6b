#pragma once
#include <cstdint>

// No chunk ever holds more than this many bytes; edits move at most a few chunks.
constexpr int32_t MAX_CHUNK = 2048;
// Largest file the buffer holds: offsets and sizes are signed 32-bit.
constexpr int32_t MAX_FILE_SIZE = 2147483647;

struct ChunkIndexLeaf;

// One link of a buffer's chunk list: a header followed by capacity data bytes.
struct CBufferChunk {
    CBufferChunk* next;
    CBufferChunk* prev;
    ChunkIndexLeaf* leaf;  // the seek index's leaf that lists this chunk
    int32_t length;        // bytes used, 0 to MAX_CHUNK
    int32_t capacity;      // bytes allocated after the header

    uint8_t* Data() { return reinterpret_cast<uint8_t*>(this + 1); }
    const uint8_t* Data() const { return reinterpret_cast<const uint8_t*>(this + 1); }
};
static_assert(sizeof(CBufferChunk) == 32, "chunk data follows a 32-byte header");

#pragma once
#include <cstdint>

// No chunk ever holds more than this many bytes; edits move at most a few chunks.
constexpr int32_t MAX_CHUNK = 2048;
// Largest file the buffer holds: offsets and sizes are signed 32-bit.
constexpr int32_t MAX_FILE_SIZE = 2147483647;

// One link of a buffer's chunk list: a header followed by capacity data bytes.
// Length and capacity never exceed MAX_CHUNK, so 16 bits each leave room for
// the seek index's back link without growing the header beyond 24 bytes: on
// half a million chunks per GiB, every header byte costs half a MiB.
struct CBufferChunk {
    CBufferChunk* next;
    CBufferChunk* prev;
    uint32_t leaf;      // number of the seek index's leaf that lists this chunk
    uint16_t length;    // bytes used, 0 to MAX_CHUNK
    uint16_t capacity;  // bytes allocated after the header, at most MAX_CHUNK

    uint8_t* Data() { return reinterpret_cast<uint8_t*>(this + 1); }
    const uint8_t* Data() const { return reinterpret_cast<const uint8_t*>(this + 1); }
};
static_assert(sizeof(CBufferChunk) == 24, "chunk data follows a 24-byte header");
static_assert(MAX_CHUNK <= UINT16_MAX, "a chunk's length and capacity fit in 16 bits");

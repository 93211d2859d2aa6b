#pragma once
// The one way for code outside the core to read a buffer's bytes in bulk:
// a reader hands out contiguous read-only spans from an offset, forward or
// backward, whatever the buffer's bytes are made of (memory chunks are
// handed out in place; stretches of the file on disk are read into the
// reader's own block or through the buffer's cache). Engines written against
// spans never learn how the buffer is laid out.
//
// A span stays valid until the next call on the same reader and as long as
// the buffer is not edited.
#include "CoreProblem.h"

#include <cstdint>
#include <memory>
#include <span>

class CFileBuffer;
struct CBufferChunk;

class CSpanReader {
public:
    // Sequential: long runs in one direction (find, compare, saving). Bytes
    // on disk are read in blocks of their own into the reader's memory, so such
    // a walk does not push the shown rows out of the shared cache.
    // Random: short looks here and there, served by the buffer's cache.
    enum class Access : uint8_t { Sequential, Random };

    CSpanReader(const CFileBuffer& buffer, int64_t offset, Access access = Access::Sequential);
    ~CSpanReader();
    CSpanReader(const CSpanReader&) = delete;
    CSpanReader& operator=(const CSpanReader&) = delete;

    // The bytes from the offset on, at most maxBytes of them, contiguous in
    // memory; the offset moves past them. Empty at the end of the buffer or
    // when the bytes cannot be read (then Failed()).
    std::span<const uint8_t> Next(int64_t maxBytes = INT64_MAX);
    // The bytes that end at the offset, at most maxBytes of them; the offset
    // moves before them. Empty at offset 0 or on failure.
    std::span<const uint8_t> Previous(int64_t maxBytes = INT64_MAX);
    // Moves to offset (clipped to 0..size) without reading.
    void Seek(int64_t offset);
    int64_t Offset() const { return offset_; }

    // Copies count bytes from offset into destination (Seek + Next). Returns
    // the bytes copied: fewer only at the end of the buffer or on failure.
    int64_t ReadAt(int64_t offset, void* destination, int64_t count);

    // Whether the span lives in memory that the reader's next call reuses
    // (bytes read from the file on disk), rather than in the buffer itself.
    bool IsTransient(std::span<const uint8_t> bytes) const { return !bytes.empty() && bytes.data() == transient_; }

    bool Failed() const { return static_cast<bool>(problem_); }
    const CoreProblem& Problem() const { return problem_; }

private:
    void Locate();
    std::span<const uint8_t> FromExtent(int64_t inElement, int64_t available, bool forward);

    const CFileBuffer& buffer_;
    Access access_;
    int64_t offset_ = 0;
    // The element holding offset_ (an offset on a boundary belongs to the
    // earlier element, as the index places it) and where it starts.
    const CBufferChunk* element_ = nullptr;
    int64_t elementStart_ = 0;
    CoreProblem problem_;
    std::unique_ptr<uint8_t[]> block_;  // sequential reads of the file on disk
    const uint8_t* transient_ = nullptr;  // the start of the last span that came from the disk
};

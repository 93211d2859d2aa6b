#pragma once
// Reads an open file straight into the buffer's chunks from a position on
// (the gap an insertion opened), with scattered reads: the bytes are copied
// once, from the system into the chunks, with no staging block between.
#include <cstdint>

struct CBufferChunk;

namespace platform {
class FileReader;
}

// Fills count bytes starting offsetInChunk bytes into chunk, following the
// chunk list. Returns the number of bytes read, fewer than count when the
// file ended early or the chunks ran out, or -1 on a read error
// (reader.Error() tells which).
int64_t ReadFileIntoChunks(platform::FileReader& reader, CBufferChunk* chunk, int64_t offsetInChunk, int64_t count);

#pragma once
// Streams a run of the buffer's bytes into a private temporary file of the
// program (the input a task module reads), straight from the chunks with
// gathered writes: no copy into a staging block, no temporary beside the
// file, no flush to disk. A user's file is saved through the safe replace of
// CFileBuffer::SaveToFile instead.
#include <QString>
#include <cstdint>

struct CBufferChunk;

// Writes count bytes starting offsetInChunk bytes into chunk, following the
// chunk list. Returns 0 on success, else the errno of the failure (the
// caller reports it naming the file); running out of chunks before count
// bytes is EIO.
int WriteChunksToTempFile(const CBufferChunk* chunk, int32_t offsetInChunk, int64_t count, const QString& path);

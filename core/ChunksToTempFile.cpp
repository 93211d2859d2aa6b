#include "ChunksToTempFile.h"

#include "BufferChunk.h"
#include "platform/StreamFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <climits>

namespace {
// Pieces handed to one gathered write: the most the system takes at once.
constexpr int kPiecesPerWrite = IOV_MAX;
} // namespace

int WriteChunksToTempFile(const CBufferChunk* chunk, int32_t offsetInChunk, int64_t count, const QString& path)
{
    platform::StreamFileWriter writer;
    if (!writer.Open(path))
        return writer.Error();
    iovec pieces[kPiecesPerWrite];
    int filled = 0;
    int64_t left = count;
    for (; chunk && left > 0; chunk = chunk->next, offsetInChunk = 0) {
        const int64_t length = std::min<int64_t>(chunk->length - offsetInChunk, left);
        if (length <= 0)
            continue;
        pieces[filled].iov_base = const_cast<uint8_t*>(chunk->Data() + offsetInChunk);
        pieces[filled].iov_len = size_t(length);
        left -= length;
        if (++filled == kPiecesPerWrite) {
            if (!writer.WriteGathered(pieces, filled))
                return writer.Error();
            filled = 0;
        }
    }
    if (filled > 0 && !writer.WriteGathered(pieces, filled))
        return writer.Error();
    if (!writer.Commit())
        return writer.Error();
    return left == 0 ? 0 : EIO;
}

#include "BufferRangeToTempFile.h"

#include "FileBuffer.h"
#include "platform/StreamFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <sys/uio.h>

namespace {
// Pieces handed to one gathered write: the most the system takes at once.
constexpr int kPiecesPerWrite = IOV_MAX;
} // namespace

CoreProblem WriteBufferRangeToTempFile(const CFileBuffer& buffer, int64_t offset, int64_t count, const QString& path)
{
    platform::StreamFileWriter writer;
    if (!writer.Open(path))
        return CoreProblem{CoreError::FileError, writer.Error(), path};
    iovec pieces[kPiecesPerWrite];
    int filled = 0;
    auto flush = [&] {
        const bool written = filled == 0 || writer.WriteGathered(pieces, filled);
        filled = 0;
        return written;
    };
    int64_t at = std::clamp<int64_t>(offset, 0, buffer.Size());
    int64_t left = count;
    int64_t chunkStart = 0;
    const CBufferChunk* chunk = left > 0 && at < buffer.Size() ? buffer.index_.Find(at, &chunkStart) : nullptr;
    // The index places an offset on a boundary in the earlier chunk, which
    // then gives nothing and the walk moves on.
    for (; chunk && left > 0; chunkStart += chunk->Size(), chunk = chunk->next) {
        const int64_t inChunk = at - chunkStart;
        const int64_t n = std::min(chunk->Size() - inChunk, left);
        if (n <= 0)
            continue;
        if (chunk->IsExtent()) {
            // Bytes still in the file on disk never pass through our memory:
            // the kernel copies them behind the memory chunks written so far.
            if (!flush())
                return CoreProblem{CoreError::FileError, writer.Error(), path};
            CoreProblem problem;
            if (!buffer.CopyExtentStretch(AsExtent(chunk), inChunk, n, writer, &problem))
                return problem;
        } else {
            pieces[filled++] = iovec{const_cast<uint8_t*>(chunk->Data() + inChunk), size_t(n)};
            if (filled == kPiecesPerWrite && !flush())
                return CoreProblem{CoreError::FileError, writer.Error(), path};
        }
        at += n;
        left -= n;
    }
    if (!flush() || !writer.Commit())
        return CoreProblem{CoreError::FileError, writer.Error(), path};
    return left == 0 ? CoreProblem{} : CoreProblem{CoreError::FileError, EIO, path};
}

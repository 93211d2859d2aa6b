#include "BufferRangeToTempFile.h"

#include "FileBuffer.h"
#include "SpanReader.h"
#include "platform/StreamFileWriter.h"

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
    CSpanReader reader(buffer, offset);
    iovec pieces[kPiecesPerWrite];
    int filled = 0;
    int64_t left = count;
    auto flush = [&] {
        const bool written = filled == 0 || writer.WriteGathered(pieces, filled);
        filled = 0;
        return written;
    };
    while (left > 0) {
        const std::span<const uint8_t> bytes = reader.Next(left);
        if (bytes.empty())
            break;
        pieces[filled++] = iovec{const_cast<uint8_t*>(bytes.data()), bytes.size()};
        left -= int64_t(bytes.size());
        // Bytes read from the file on disk live in the reader's block, which
        // the next span reuses: they are written before reading on.
        if ((filled == kPiecesPerWrite || reader.IsTransient(bytes)) && !flush())
            return CoreProblem{CoreError::FileError, writer.Error(), path};
    }
    if (reader.Failed())
        return reader.Problem();
    if (!flush() || !writer.Commit())
        return CoreProblem{CoreError::FileError, writer.Error(), path};
    return left == 0 ? CoreProblem{} : CoreProblem{CoreError::FileError, EIO, path};
}

#include "FileIntoChunks.h"

#include "BufferChunk.h"
#include "platform/FileReader.h"

#include <algorithm>
#include <sys/uio.h>

namespace {
// Chunks filled by one scattered read (512 KiB of full chunks).
constexpr int kChunksPerRead = 256;
} // namespace

int64_t ReadFileIntoChunks(platform::FileReader& reader, CBufferChunk* chunk, int64_t offsetInChunk, int64_t count)
{
    iovec pieces[kChunksPerRead];
    int64_t done = 0;
    while (done < count) {
        int filled = 0;
        int64_t asked = 0;
        int64_t offset = offsetInChunk;
        for (CBufferChunk* next = chunk; next && filled < kChunksPerRead && done + asked < count;
             next = next->next, offset = 0) {
            const int64_t length = std::min<int64_t>(next->length - offset, count - done - asked);
            if (length <= 0)
                continue;
            pieces[filled].iov_base = next->Data() + offset;
            pieces[filled].iov_len = size_t(length);
            ++filled;
            asked += length;
        }
        if (filled == 0)
            break;  // no chunks left
        const int64_t got = reader.ReadScatter(pieces, filled);
        if (got < 0)
            return -1;
        if (got == 0)
            break;  // the file ended early
        done += got;
        // Move on past what was read; a short read may end inside a chunk.
        for (int64_t skip = got; chunk && skip > 0;) {
            const int64_t left = chunk->length - offsetInChunk;
            if (skip < left) {
                offsetInChunk += int64_t(skip);
                skip = 0;
            } else {
                skip -= left;
                chunk = chunk->next;
                offsetInChunk = 0;
            }
        }
    }
    return done;
}

#include "PasteSource.h"

#include "core/BufferPos.h"
#include "core/FileIntoChunks.h"

#include <algorithm>
#include <cerrno>
#include <memory>

bool CMemoryPasteSource::WriteTo(const CBufferPos& at, int64_t count)
{
    CBufferPos cursor = at;
    cursor.Write(data_, std::min(count, count_));
    return true;
}

bool CFilePasteSource::Open(const QString& path)
{
    error_ = 0;
    if (!reader_.Open(path)) {
        error_ = reader_.Error();
        return false;
    }
    size_ = reader_.Size();
    if (size_ < 0) {
        error_ = reader_.Error();
        return false;
    }
    return true;
}

// The file is read straight into the chunks of the gap at the cursor.
bool CFilePasteSource::WriteTo(const CBufferPos& at, int64_t count)
{
    if (!reader_.IsOpen())
        return false;
    const int64_t got = ReadFileIntoChunks(reader_, at.Chunk(), at.OffsetInChunk(), count);
    if (got == count)
        return true;
    // The file ended early (it shrank since it was measured) or a read failed.
    if (got < 0)
        error_ = reader_.Error();
    const auto read = int64_t(std::max<int64_t>(got, 0));
    CBufferPos cursor = at;
    cursor.Forward(read);
    cursor.Fill(0, count - read);
    if (error_ == 0)
        error_ = EIO;
    return false;
}

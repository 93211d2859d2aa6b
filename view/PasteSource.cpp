#include "PasteSource.h"

#include "core/BufferPos.h"

#include <algorithm>
#include <cerrno>
#include <memory>

bool CMemoryPasteSource::WriteTo(const CBufferPos& at, int32_t count)
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

// The file is read a block at a time and each block written at the cursor,
// which then moves on past it.
bool CFilePasteSource::WriteTo(const CBufferPos& at, int32_t count)
{
    if (!reader_.IsOpen())
        return false;
    std::unique_ptr<uint8_t[]> block(new uint8_t[kDiskBlock]);
    CBufferPos cursor = at;
    int32_t left = count;
    while (left > 0) {
        const int64_t got = reader_.Read(block.get(), std::min(left, kDiskBlock));
        if (got <= 0) {
            if (got < 0)
                error_ = reader_.Error();
            break;
        }
        cursor.Write(block.get(), int32_t(got));
        cursor.Forward(int32_t(got));
        left -= int32_t(got);
    }
    if (left == 0)
        return true;
    // The file ended early (it shrank since it was measured) or a read failed.
    cursor.Fill(0, left);
    if (error_ == 0)
        error_ = EIO;
    return false;
}

#include "RangeToFile.h"

#include "PasteSource.h"
#include "core/BufferPos.h"
#include "core/ChunksToTempFile.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileErrors.h"

#include <algorithm>
#include <memory>

bool WriteRangeToFile(const CBufferPos& from, int32_t count, const QString& path)
{
    platform::AtomicFileWriter writer;
    if (!writer.Open(path)) {
        platform::ReportFileError(writer.Error(), path);
        return false;
    }
    std::unique_ptr<uint8_t[]> block(new uint8_t[kDiskBlock]);
    CBufferPos cursor = from;
    int32_t left = count;
    bool ok = true;
    while (ok && left > 0) {
        const int32_t n = cursor.Read(block.get(), std::min(left, kDiskBlock));
        if (n <= 0)
            break;
        cursor.Forward(n);
        left -= n;
        ok = writer.Write(block.get(), n);
    }
    if (ok)
        ok = writer.Commit();
    if (!ok)
        platform::ReportFileError(writer.Error(), path);
    return ok;
}

bool WriteRangeToTempFile(const CBufferPos& from, int32_t count, const QString& path)
{
    const int error = WriteChunksToTempFile(from.Chunk(), from.OffsetInChunk(), count, path);
    if (error != 0)
        platform::ReportFileError(error, path);
    return error == 0;
}

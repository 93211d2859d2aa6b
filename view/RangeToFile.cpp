#include "RangeToFile.h"

#include "PasteSource.h"
#include "core/BufferPos.h"
#include "core/BufferRangeToTempFile.h"
#include "core/SpanReader.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileErrors.h"

#include <algorithm>
#include <memory>

bool WriteRangeToFile(const CBufferPos& from, int64_t count, const QString& path)
{
    platform::AtomicFileWriter writer;
    if (!writer.Open(path)) {
        platform::ReportFileError(writer.Error(), path);
        return false;
    }
    CSpanReader reader(*from.Buffer(), from.Offset());
    int64_t left = count;
    bool ok = true;
    while (ok && left > 0) {
        const std::span<const uint8_t> bytes = reader.Next(left);
        if (bytes.empty())
            break;
        left -= int64_t(bytes.size());
        ok = writer.Write(bytes.data(), int64_t(bytes.size()));
    }
    if (reader.Failed()) {
        // A file that lacks bytes of the selection must not take the name.
        writer.Abandon();
        platform::ReportFileError(reader.Problem().fileError, reader.Problem().path);
        return false;
    }
    if (ok)
        ok = writer.Commit();
    if (!ok)
        platform::ReportFileError(writer.Error(), path);
    return ok;
}

bool WriteRangeToTempFile(const CBufferPos& from, int64_t count, const QString& path)
{
    const CoreProblem problem = WriteBufferRangeToTempFile(*from.Buffer(), from.Offset(), count, path);
    if (problem)
        platform::ReportFileError(problem.fileError, problem.path);
    return !problem;
}

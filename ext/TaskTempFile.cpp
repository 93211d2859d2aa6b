#include "TaskTempFile.h"

#include "platform/BackgroundRemover.h"
#include "platform/FileErrors.h"
#include "platform/FileReader.h"
#include "platform/TempFile.h"

#include <cerrno>

QString MakeTaskTempFileName() { return platform::CreateUniqueTempFile(QStringLiteral("VTL")); }

TaskTempFile::TaskTempFile()
{
    errno = 0;
    path_ = MakeTaskTempFileName();
    if (path_.isEmpty())
        error_ = errno ? errno : EIO;
}

TaskTempFile::~TaskTempFile()
{
    // A task's files may be hundreds of megabytes; nothing waits for their
    // blocks to be freed.
    platform::RemoveFileInBackground(path_);
}

std::unique_ptr<TaskTempFile> MakeTaskTempFileOrReport()
{
    auto file = std::make_unique<TaskTempFile>();
    if (!file->Ok()) {
        platform::ReportFileError(file->Error(), platform::TempDirectory());
        return nullptr;
    }
    return file;
}

std::optional<QByteArray> ReadTaskOutput(const QString& path, int64_t maxBytes)
{
    platform::FileReader reader;
    if (!reader.Open(path)) {
        platform::ReportFileError(reader.Error(), path);
        return std::nullopt;
    }
    const int64_t size = reader.Size();
    if (size < 0 || size > maxBytes) {
        platform::ReportFileError(size < 0 ? reader.Error() : EFBIG, path);
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    int64_t done = 0;
    while (done < size) {
        const int64_t read = reader.Read(bytes.data() + done, size - done);
        if (read < 0) {
            platform::ReportFileError(reader.Error(), path);
            return std::nullopt;
        }
        if (read == 0)
            break;
        done += read;
    }
    bytes.truncate(qsizetype(done));
    return bytes;
}

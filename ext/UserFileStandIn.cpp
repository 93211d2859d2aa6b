#include "UserFileStandIn.h"

#include "platform/FileCopy.h"
#include "platform/FileErrors.h"
#include "platform/FileMove.h"
#include "platform/FileNames.h"
#include "platform/StatusHooks.h"
#include "platform/TempFile.h"

#include <QFileInfo>

namespace {

bool ModuleCanOpen(const QString& userPath) { return !platform::HasBytesOutsideUtf8(userPath); }

// Copying may take a while: the file may be gigabytes.
class CopyingFeedback {
public:
    explicit CopyingFeedback(const QString& userPath)
    {
        platform::ShowStatusText(
            QStringLiteral("Copying %1...").arg(platform::DisplayFileName(QFileInfo(userPath).fileName())));
    }
    ~CopyingFeedback() { platform::ShowStatusText(QString()); }
    CopyingFeedback(const CopyingFeedback&) = delete;
    CopyingFeedback& operator=(const CopyingFeedback&) = delete;

private:
    platform::WaitCursor wait_;
};

} // namespace

std::optional<UserFileStandIn> UserFileStandIn::ForInput(const QString& userPath)
{
    std::optional<UserFileStandIn> file = ForOutput(userPath);
    if (!file || !file->temp_)
        return file;
    const CopyingFeedback feedback(userPath);
    const platform::FileCopyResult copied = platform::CopyIntoPrivateFile(userPath, file->temp_->Path());
    if (!copied.Ok()) {
        platform::ReportFileError(copied.error, copied.failedReading ? userPath : platform::TempDirectory());
        return std::nullopt;
    }
    return file;
}

// An empty stand-in where the module cannot reach the user's name.
std::optional<UserFileStandIn> UserFileStandIn::ForOutput(const QString& userPath)
{
    UserFileStandIn file(userPath);
    if (ModuleCanOpen(userPath))
        return file;
    file.temp_ = MakeTaskTempFileOrReport();
    if (!file.temp_)
        return std::nullopt;
    return file;
}

bool UserFileStandIn::Deliver()
{
    if (!temp_)
        return true;
    const CopyingFeedback feedback(userPath_);
    const int error = platform::MoveFileOnto(temp_->Path(), userPath_);
    if (error != 0) {
        platform::ReportFileError(error, userPath_);
        return false;
    }
    return true;
}

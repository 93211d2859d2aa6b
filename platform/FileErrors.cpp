#include "FileErrors.h"
#include "FileNames.h"
#include "MessageBox.h"

#include <QDir>
#include <cerrno>

namespace platform {

QString FileErrorText(int errorNumber, const QString& path)
{
    const QString name = DisplayFileName(QDir::toNativeSeparators(path));
    switch (errorNumber) {
    case kNotARegularFile:
        return QStringLiteral("Unable to open %1 : It is a device, a pipe or a socket, not a file.").arg(name);
    case kSaveOverSpecialFile:
        return QStringLiteral("Unable to save %1 : It is a device, a pipe or a socket, not a file. It was left as it was.")
            .arg(name);
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("%1 was not found.").arg(name);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return QStringLiteral("Access to %1 was denied.").arg(name);
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
        return QStringLiteral("A sharing violation occurred while accessing %1.").arg(name);
    case EFBIG:
        // A file-size limit (ulimit -f) or the file system's largest file:
        // freeing disk space would not help.
        return QStringLiteral("%1 is larger than the file size limit allows.").arg(name);
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("There is not enough space on the disk to write %1.").arg(name);
    default:
        return QStringLiteral("An unexpected error occurred while accessing %1.").arg(name);
    }
}

void ReportFileError(int errorNumber, const QString& path)
{
    ShowMessage(FileErrorText(errorNumber, path), MsgButtons::Ok, MsgIcon::Error);
}

QString OutOfMemoryText() { return QStringLiteral("Out of memory."); }

} // namespace platform

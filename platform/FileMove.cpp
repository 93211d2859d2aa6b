#include "FileMove.h"

#include "FileCopy.h"
#include "FileErrors.h"
#include "FileNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The rename replaces the target at once, so the data must be on the disk
// first, as a save makes sure of before its own rename.
int SyncFile(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

int CopyOnto(const QString& source, const QString& target)
{
    const FileCopyResult copied = CopyOntoUserFile(source, target);
    return copied.error;
}

} // namespace

int MoveFileOnto(const QString& source, const QString& target)
{
    const QByteArray from = EncodeFileName(source);
    const QByteArray to = EncodeFileName(target);
    struct stat existing {};
    const bool exists = ::lstat(to.constData(), &existing) == 0;
    // The writer of a save follows the link and keeps it.
    if (exists && S_ISLNK(existing.st_mode))
        return CopyOnto(source, target);
    if (exists && S_ISDIR(existing.st_mode))
        return EISDIR;
    if (exists && !S_ISREG(existing.st_mode))
        return kSaveOverSpecialFile;
    if (exists && ::access(to.constData(), W_OK) != 0)
        return errno;

    const mode_t mode = exists ? existing.st_mode & 07777 : NewFileMode();
    if (::chmod(from.constData(), mode) != 0)
        return errno;
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        // Keep the owner where we may; a failure here is not worth refusing the move.
        [[maybe_unused]] const int ignored = ::chown(from.constData(), existing.st_uid, existing.st_gid);
    }
    if (const int error = SyncFile(from); error != 0)
        return error;
    if (::rename(from.constData(), to.constData()) == 0)
        return 0;
    if (errno == EXDEV)
        return CopyOnto(source, target);
    return errno;
}

} // namespace platform

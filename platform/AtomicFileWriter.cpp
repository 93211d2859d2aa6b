#include "AtomicFileWriter.h"
#include "FileErrors.h"
#include "FileNames.h"
#include "StretchCopy.h"
#include "WriteFaults.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <algorithm>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr char kTemporaryPattern[] = "/.vantrel-save-XXXXXX";

// An unnamed file in the target's folder, or -1 where the file system (or the
// kernel) has none; then the caller makes a named one. It must be reachable
// through /proc to get a name later without privileges.
int OpenUnnamedTemporary(const QByteArray& folder)
{
    if (ActiveWriteFaults().noUnnamedTemporary)
        return -1;
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::access(QByteArray("/proc/self/fd/" + QByteArray::number(fd)).constData(), F_OK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A name made of the pattern's prefix and six random characters.
QByteArray RandomTemporaryName(const QByteArray& folder)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = folder + kTemporaryPattern;
    for (qsizetype i = name.size() - 6; i < name.size(); ++i)
        name[i] = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return name;
}

QByteArray DirectoryOf(const QByteArray& file)
{
    const qsizetype slash = file.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : file.left(slash);
}

// Follows symbolic links (also relative and chained ones) to the file that
// should receive the data; a dangling link names the file to create. Works
// on the bytes of the names, so names that are not valid UTF-8 resolve too.
QByteArray ResolveTarget(const QString& path)
{
    QByteArray current = EncodeFileName(AbsoluteFileName(path));
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(current.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        QByteArray link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.constData(), link.data(), size_t(link.size()));
        if (n <= 0 || n >= link.size())
            break;
        link.truncate(n);
        current = link.startsWith('/') ? link : DirectoryOf(current) + '/' + link;
    }
    return current;
}
} // namespace

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

bool AtomicFileWriter::Fail(int errorNumber)
{
    error_ = errorNumber;
    Abandon();
    return false;
}

bool AtomicFileWriter::Open(const QString& path)
{
    Abandon();
    path_ = path;
    error_ = 0;
    target_ = ResolveTarget(path);

    struct stat original {};
    const bool exists = ::stat(target_.constData(), &original) == 0;
    if (exists && S_ISDIR(original.st_mode))
        return Fail(EISDIR);
    // The rename would put a plain file in place of a device, FIFO or socket
    // node (as root, /dev/null itself).
    if (exists && !S_ISREG(original.st_mode))
        return Fail(kSaveOverSpecialFile);
    if (exists && ::access(target_.constData(), W_OK) != 0)
        return Fail(errno);

    if (!CreateTemporary())
        return false;

    mode_t mode = 0666;
    if (exists) {
        mode = original.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd_, mode) != 0)
        return Fail(errno);
    if (exists && (original.st_uid != ::geteuid() || original.st_gid != ::getegid())) {
        // Keep the owner where we may; a failure here is not worth refusing the save.
        [[maybe_unused]] int ignored = ::fchown(fd_, original.st_uid, original.st_gid);
    }
    return true;
}

bool AtomicFileWriter::CreateTemporary()
{
    const QByteArray folder = DirectoryOf(target_);
    fd_ = OpenUnnamedTemporary(folder);
    if (fd_ >= 0)
        return true;
    QByteArray pattern = folder + kTemporaryPattern;
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        return Fail(errno);
    temporary_ = pattern;
    return true;
}

// Gives the complete unnamed file a name beside the target; the rename then
// replaces the target as it does for a named temporary file. Only a kill
// between the two leaves the name behind.
bool AtomicFileWriter::LinkUnnamedTemporary()
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = RandomTemporaryName(DirectoryOf(target_));
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
            temporary_ = name;
            return true;
        }
        if (errno != EEXIST)
            return Fail(errno);
    }
    return Fail(EEXIST);
}

bool AtomicFileWriter::Write(const void* data, int64_t count)
{
    if (fd_ < 0)
        return false;
    if (const int requested = TakeWriteError())
        return Fail(requested);
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        ssize_t n = ::write(fd_, p, static_cast<size_t>(count));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        p += n;
        count -= n;
        endsInHole_ = false;
    }
    return true;
}

bool AtomicFileWriter::CopyFrom(int sourceFd, int64_t sourceOffset, int64_t count, int* readError)
{
    if (readError)
        *readError = 0;
    if (fd_ < 0)
        return false;
    const int error = CopyStretchForWriter(sourceFd, sourceOffset, count, fd_, &endsInHole_, readError);
    return error == 0 || Fail(error);
}

bool AtomicFileWriter::CheckRoom(int64_t totalBytes)
{
    if (fd_ < 0)
        return false;
    int64_t available = ActiveWriteFaults().freeSpace;
    struct statvfs info {};
    if (available < 0 && ::fstatvfs(fd_, &info) == 0)
        available = int64_t(info.f_bavail) * int64_t(info.f_frsize);
    if (available < 0 || available >= totalBytes)
        return true;  // a file system that cannot say is given the benefit of the doubt
    return Fail(ENOSPC);
}

bool AtomicFileWriter::Commit()
{
    if (fd_ < 0)
        return false;
    if (endsInHole_) {
        const off_t end = ::lseek(fd_, 0, SEEK_CUR);
        if (end < 0 || ::ftruncate(fd_, end) != 0)
            return Fail(errno);
        endsInHole_ = false;
    }
    if (::fsync(fd_) != 0)
        return Fail(errno);
    if (temporary_.isEmpty() && !LinkUnnamedTemporary())
        return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return Fail(errno);
    if (::rename(temporary_.constData(), target_.constData()) != 0)
        return Fail(errno);
    temporary_.clear();
    return true;
}

void AtomicFileWriter::Abandon()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
}

} // namespace platform

#include "AtomicFileWriter.h"
#include "FileErrors.h"
#include "FileNames.h"

#include <QFile>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
int g_injectedWriteError = 0;

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

void AtomicFileWriter::InjectWriteFailure(int errorNumber) { g_injectedWriteError = errorNumber; }

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

    QByteArray pattern = DirectoryOf(target_) + "/.vantrel-save-XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        return Fail(errno);
    temporary_ = pattern;

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

bool AtomicFileWriter::Write(const void* data, int64_t count)
{
    if (fd_ < 0)
        return false;
    if (g_injectedWriteError != 0) {
        const int injected = g_injectedWriteError;
        g_injectedWriteError = 0;
        return Fail(injected);
    }
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
    }
    return true;
}

bool AtomicFileWriter::Commit()
{
    if (fd_ < 0)
        return false;
    if (::fsync(fd_) != 0)
        return Fail(errno);
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

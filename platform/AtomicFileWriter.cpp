#include "AtomicFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
int g_injectedWriteError = 0;

// Follows symbolic links (also relative and chained ones) to the file that
// should receive the data; a dangling link names the file to create.
QByteArray ResolveTarget(const QString& path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int depth = 0; depth < 40; ++depth) {
        QFileInfo info(current);
        if (!info.isSymLink())
            break;
        current = info.symLinkTarget();
    }
    return QFile::encodeName(current);
}

QByteArray DirectoryOf(const QByteArray& file)
{
    const qsizetype slash = file.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : file.left(slash);
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

#include "StreamFileWriter.h"
#include "FileNames.h"
#include "StretchCopy.h"
#include "WriteFaults.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

StreamFileWriter::~StreamFileWriter() { CloseQuietly(); }

bool StreamFileWriter::Fail(int errorNumber)
{
    error_ = errorNumber;
    CloseQuietly();
    return false;
}

void StreamFileWriter::CloseQuietly()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool StreamFileWriter::Open(const QString& path)
{
    CloseQuietly();
    path_ = path;
    error_ = 0;
    endsInHole_ = false;
    const QByteArray name = EncodeFileName(path);
    do {
        fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (fd_ < 0 && errno == EINTR);
    return fd_ >= 0 || Fail(errno);
}

bool StreamFileWriter::TakeRequestedFailure()
{
    const int error = TakeWriteError();
    if (error == 0)
        return false;
    Fail(error);
    return true;
}

bool StreamFileWriter::Write(const void* data, int64_t count)
{
    if (fd_ < 0 || TakeRequestedFailure())
        return false;
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        const ssize_t n = ::write(fd_, p, static_cast<size_t>(count));
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

bool StreamFileWriter::WriteGathered(iovec* pieces, int count)
{
    if (fd_ < 0 || TakeRequestedFailure())
        return false;
    while (count > 0) {
        const ssize_t n = ::writev(fd_, pieces, std::min(count, IOV_MAX));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        if (n > 0)
            endsInHole_ = false;
        // Skip what was written; a short write ends inside a piece.
        auto done = size_t(n);
        while (count > 0 && done >= pieces->iov_len) {
            done -= pieces->iov_len;
            ++pieces;
            --count;
        }
        if (count > 0 && done > 0) {
            pieces->iov_base = static_cast<char*>(pieces->iov_base) + done;
            pieces->iov_len -= done;
        }
    }
    return true;
}

bool StreamFileWriter::CopyFrom(int sourceFd, int64_t sourceOffset, int64_t count, int* readError)
{
    if (readError)
        *readError = 0;
    if (fd_ < 0)
        return false;
    const int error = CopyStretchForWriter(sourceFd, sourceOffset, count, fd_, &endsInHole_, readError);
    return error == 0 || Fail(error);
}

bool StreamFileWriter::Commit()
{
    if (fd_ < 0)
        return false;
    // A hole at the end was only moved over: the file gets its full length.
    if (endsInHole_) {
        const off_t end = ::lseek(fd_, 0, SEEK_CUR);
        if (end < 0 || ::ftruncate(fd_, end) != 0)
            return Fail(errno);
        endsInHole_ = false;
    }
    const int fd = fd_;
    fd_ = -1;
    // A close interrupted by a signal has still released the descriptor on
    // Linux, so it is not retried.
    if (::close(fd) != 0 && errno != EINTR)
        return Fail(errno);
    return true;
}

} // namespace platform

#include "FileReader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileReader::~FileReader() { Close(); }

bool FileReader::Open(const QString& path)
{
    Close();
    path_ = path;
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
        Close();
        error_ = EISDIR;
        return false;
    }
    error_ = 0;
    return true;
}

void FileReader::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

int64_t FileReader::Size()
{
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        error_ = errno;
        return -1;
    }
    return info.st_size;
}

int64_t FileReader::Read(void* destination, int64_t count)
{
    for (;;) {
        ssize_t n = ::read(fd_, destination, static_cast<size_t>(count));
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            error_ = errno;
            return -1;
        }
    }
}

int64_t FileReader::ReadScatter(const iovec* buffers, int bufferCount)
{
    for (;;) {
        ssize_t n = ::readv(fd_, buffers, bufferCount);
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            error_ = errno;
            return -1;
        }
    }
}

} // namespace platform

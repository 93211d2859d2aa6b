#include "FileReader.h"
#include "FileErrors.h"
#include "FileNames.h"

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
    // O_NONBLOCK so that a FIFO without a writer cannot stop the program here.
    fd_ = ::open(EncodeFileName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        error_ = errno;
        Close();
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        Close();
        error_ = EISDIR;
        return false;
    }
    if (!S_ISREG(info.st_mode) && !S_ISBLK(info.st_mode)) {
        Close();
        error_ = kNotARegularFile;
        return false;
    }
    // Reads of regular files and disks block anyway; clearing the flag keeps
    // the short-read behaviour of ordinary files on every file system.
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    blockDevice_ = S_ISBLK(info.st_mode);
    sizeIsExact_ = true;
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
    if (blockDevice_) {
        // A disk reports no size through stat; its end is where seeking ends.
        const off_t end = ::lseek(fd_, 0, SEEK_END);
        if (end < 0 || ::lseek(fd_, 0, SEEK_SET) < 0) {
            error_ = errno;
            return -1;
        }
        return end;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        error_ = errno;
        return -1;
    }
    // Generated files (/proc, /sys and the like) say 0 and still have contents.
    sizeIsExact_ = info.st_size != 0;
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

#pragma once
// Reading a whole file through the operating system, with errno kept so the
// caller can report the standard file-error text naming the file.
//
// Only regular files and block devices are read. Opening never waits: a FIFO
// would block until a writer appears, and character devices such as
// /dev/zero never end, so both are refused with kNotARegularFile.
#include <QFile>
#include <QString>
#include <cstdint>
#include <sys/uio.h>

namespace platform {

class FileReader {
public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The file's length, or -1 on error. Files of the /proc kind report 0
    // although they have contents: see SizeIsExact.
    int64_t Size();
    // False when a reported size of 0 means "unknown" rather than "empty",
    // so the caller reads until the end instead.
    bool SizeIsExact() const { return sizeIsExact_; }
    // Reads up to count bytes; returns the count read (0 at end) or -1 on error.
    int64_t Read(void* destination, int64_t count);
    // Fills the given buffers in order; returns the total read or -1 on error.
    int64_t ReadScatter(const iovec* buffers, int bufferCount);

    int Error() const { return error_; }
    const QString& Path() const { return path_; }
    bool IsBlockDevice() const { return blockDevice_; }
    // Hands the open descriptor over to the caller, who closes it.
    int TakeDescriptor()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_ = -1;
    int error_ = 0;
    bool blockDevice_ = false;
    bool sizeIsExact_ = true;
    QString path_;
};

} // namespace platform

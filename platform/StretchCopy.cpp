#include "StretchCopy.h"
#include "WriteFaults.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
// The most one copy or read call hands over on Linux.
constexpr int64_t kMaxPerCall = 0x7ffff000;
// Blocks of the copy when the kernel cannot copy between the two files
// (a task's file in a tmpfs, the user's on a disk). Small enough to stay in
// the processor's cache between the read and the write: with 1 MiB blocks
// copying a page-cached 3 GiB file took about twice as long.
constexpr int64_t kCopyBlock = int64_t(1) << 16;

class Copier {
public:
    Copier(int source, int target, bool* endsInHole) : source_(source), target_(target), endsInHole_(endsInHole) {}

    bool Copy(int64_t sourceOffset, int64_t count);
    FileCopyResult Result() const { return result_; }

private:
    bool Fail(int error, bool reading)
    {
        result_ = FileCopyResult{error, reading};
        return false;
    }
    bool CopyData(int64_t sourceOffset, int64_t count);
    bool CopyByBlocks(int64_t sourceOffset, int64_t count);
    bool WriteAll(const char* bytes, int64_t count);
    bool SkipHole(int64_t count);

    int source_;
    int target_;
    bool* endsInHole_;
    FileCopyResult result_;
};

bool Copier::Copy(int64_t sourceOffset, int64_t count)
{
    struct stat source {};
    // A source shorter than asked goes the plain way, which reports it.
    if (::fstat(source_, &source) != 0 || count > int64_t(source.st_size) - sourceOffset)
        return CopyData(sourceOffset, count);
    while (count > 0) {
        // File systems without holes report all of the file as data.
        off_t data = ::lseek(source_, sourceOffset, SEEK_DATA);
        if (data < 0 && errno == ENXIO)
            data = sourceOffset + count;  // only a hole follows
        if (data < 0)
            return CopyData(sourceOffset, count);
        const int64_t hole = std::min<int64_t>(data - sourceOffset, count);
        if (hole > 0) {
            if (!SkipHole(hole))
                return false;
            sourceOffset += hole;
            count -= hole;
            continue;
        }
        off_t dataEnd = ::lseek(source_, sourceOffset, SEEK_HOLE);
        if (dataEnd < 0)
            dataEnd = sourceOffset + count;
        const int64_t run = std::clamp<int64_t>(dataEnd - sourceOffset, 1, count);
        if (!CopyData(sourceOffset, run))
            return false;
        sourceOffset += run;
        count -= run;
    }
    return true;
}

bool Copier::SkipHole(int64_t count)
{
    if (::lseek(target_, off_t(count), SEEK_CUR) < 0)
        return Fail(errno, false);
    *endsInHole_ = true;
    return true;
}

bool Copier::CopyData(int64_t sourceOffset, int64_t count)
{
    while (count > 0 && !ActiveWriteFaults().noKernelCopy) {
        loff_t from = sourceOffset;
        const ssize_t n = ::copy_file_range(source_, &from, target_, nullptr, size_t(std::min(count, kMaxPerCall)), 0);
        if (n > 0) {
            sourceOffset += n;
            count -= n;
            *endsInHole_ = false;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // Files on different kinds of file system, a kernel or file system
        // without the call, a source that ends early: the rest goes through
        // our memory. So does a failure, because the kernel's error does not
        // say which file failed; reading and writing apart do, and the user
        // is told of the right one.
        break;
    }
    return count == 0 || CopyByBlocks(sourceOffset, count);
}

bool Copier::CopyByBlocks(int64_t sourceOffset, int64_t count)
{
    std::unique_ptr<char[]> block(new (std::nothrow) char[size_t(std::min(count, kCopyBlock))]);
    if (!block)
        return Fail(ENOMEM, false);
    while (count > 0) {
        const ssize_t n = ::pread(source_, block.get(), size_t(std::min(count, kCopyBlock)), sourceOffset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(n < 0 ? errno : EIO, true);
        if (!WriteAll(block.get(), n))
            return false;
        sourceOffset += n;
        count -= n;
    }
    return true;
}

bool Copier::WriteAll(const char* bytes, int64_t count)
{
    while (count > 0) {
        const ssize_t n = ::write(target_, bytes, size_t(count));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno, false);
        }
        bytes += n;
        count -= n;
        *endsInHole_ = false;
    }
    return true;
}

} // namespace

FileCopyResult CopyStretch(int sourceFd, int64_t sourceOffset, int64_t count, int targetFd, bool* endsInHole)
{
    // A write failure asked for by a test is the copy's, whichever way the
    // bytes would have gone.
    if (const int requested = TakeWriteError())
        return FileCopyResult{requested, false};
    Copier copier(sourceFd, targetFd, endsInHole);
    copier.Copy(sourceOffset, count);
    return copier.Result();
}

int64_t StretchBytesWritten(int sourceFd, int64_t sourceOffset, int64_t count)
{
    struct stat source {};
    // Such a stretch is copied whole.
    if (::fstat(sourceFd, &source) != 0 || count > int64_t(source.st_size) - sourceOffset)
        return count;
    const int64_t end = sourceOffset + count;
    int64_t stored = 0;
    for (int64_t at = sourceOffset; at < end;) {
        const off_t data = ::lseek(sourceFd, at, SEEK_DATA);
        if (data < 0)
            return errno == ENXIO ? stored : stored + (end - at);  // holes to the end, or no word of them
        if (data >= end)
            break;
        off_t dataEnd = ::lseek(sourceFd, data, SEEK_HOLE);
        if (dataEnd <= data)
            dataEnd = end;
        stored += std::min<int64_t>(dataEnd, end) - data;
        at = dataEnd;
    }
    return stored;
}

int CopyStretchForWriter(int sourceFd, int64_t sourceOffset, int64_t count, int targetFd, bool* endsInHole,
                         int* readError)
{
    const FileCopyResult copied = CopyStretch(sourceFd, sourceOffset, count, targetFd, endsInHole);
    if (readError)
        *readError = copied.Ok() || !copied.failedReading ? 0 : copied.error;
    return copied.Ok() ? 0 : copied.error;
}

} // namespace platform

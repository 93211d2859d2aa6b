#include "SourceFile.h"

#include "AtomicFileWriter.h"
#include "FileNames.h"
#include "FileReader.h"
#include "StreamFileWriter.h"
#include "StretchCopy.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {
// The most one read(2) hands back on Linux; asking more only reads this.
constexpr int64_t kMaxReadPerCall = 0x7ffff000;

SourceFile::ReadFault& FaultHook()
{
    static SourceFile::ReadFault hook;
    return hook;
}

// A replaced or removed file's blocks are freed when its last descriptor
// closes, inside close(2): about a quarter of a second per GiB on ext4, more
// where the file system discards freed blocks. A document drops the source
// of its old file right after a save has renamed the new file over it, so
// closing on the caller's thread would freeze the window that long.
constexpr int64_t kBackgroundCloseBytes = int64_t(64) << 20;

void CloseSource(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) == 0 && status.st_nlink == 0 && int64_t(status.st_blocks) * 512 >= kBackgroundCloseBytes) {
        try {
            std::thread([fd] { ::close(fd); }).detach();
            return;
        } catch (const std::system_error&) {
            // No thread to be had: close here, slow as it is.
        }
    }
    ::close(fd);
}

struct DeviceGeometry {
    int64_t size = 0;
    int32_t sectorSize = 0;
};
DeviceGeometry& InjectedGeometry()
{
    static DeviceGeometry geometry;
    return geometry;
}

} // namespace

void SourceFile::InjectReadFault(ReadFault fault) { FaultHook() = std::move(fault); }

void SourceFile::InjectDeviceGeometry(int64_t size, int32_t sectorSize)
{
    InjectedGeometry() = DeviceGeometry{size, sectorSize};
}

std::shared_ptr<SourceFile> SourceFile::Open(const QString& path, int* error)
{
    FileReader reader;
    if (!reader.Open(path)) {
        *error = reader.Error();
        return nullptr;
    }
    static std::atomic<uint64_t> serials{0};
    std::shared_ptr<SourceFile> source(new SourceFile());
    source->serial_ = ++serials;
    source->path_ = path;
    source->fd_ = reader.TakeDescriptor();
    source->identity_ = StampOfOpenFile(source->fd_);
    if (!source->identity_.exists) {
        *error = errno;
        return nullptr;
    }
    source->size_ = source->identity_.size;
    source->blockDevice_ = reader.IsBlockDevice();
    if (source->blockDevice_) {
        uint64_t bytes = 0;
        int sector = 0;
        if (::ioctl(source->fd_, BLKGETSIZE64, &bytes) != 0 || ::ioctl(source->fd_, BLKSSZGET, &sector) != 0) {
            *error = errno;
            return nullptr;
        }
        source->size_ = int64_t(bytes);
        source->sectorSize_ = std::max(sector, 1);
    }
    if (const DeviceGeometry& fake = InjectedGeometry(); fake.size > 0) {
        source->blockDevice_ = true;
        source->size_ = std::min(fake.size, source->size_);
        source->sectorSize_ = std::max(fake.sectorSize, 1);
    }
    return source;
}

SourceFile::~SourceFile()
{
    if (fd_ >= 0)
        CloseSource(fd_);
}

int64_t SourceFile::ReadAt(int64_t offset, void* destination, int64_t count, int* error) const
{
    if (count <= 0)
        return 0;
    if (const ReadFault& fault = FaultHook()) {
        int64_t result = 0;
        if (fault(offset, count, &result, error))
            return result;
    }
    count = std::min(count, std::max<int64_t>(size_ - offset, 0));
    // A disk reads whole sectors only (and with O_DIRECT nothing else).
    if (blockDevice_ && (offset % sectorSize_ != 0 || count % sectorSize_ != 0))
        return ReadAligned(offset, destination, count, error);
    return ReadPlain(offset, destination, count, error);
}

int64_t SourceFile::ReadPlain(int64_t offset, void* destination, int64_t count, int* error) const
{
    auto* out = static_cast<char*>(destination);
    int64_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd_, out + done, size_t(std::min(count - done, kMaxReadPerCall)), offset + done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return -1;
        }
        if (got == 0)
            break;  // the file ends here
        done += got;
    }
    return done;
}

int64_t SourceFile::ReadAligned(int64_t offset, void* destination, int64_t count, int* error) const
{
    const int64_t first = offset / sectorSize_ * sectorSize_;
    const int64_t end = (offset + count + sectorSize_ - 1) / sectorSize_ * sectorSize_;
    std::unique_ptr<char[]> block(new (std::nothrow) char[size_t(end - first)]);
    if (!block) {
        *error = ENOMEM;
        return -1;
    }
    const int64_t got = ReadPlain(first, block.get(), end - first, error);
    if (got < 0)
        return -1;
    const int64_t useful = std::clamp<int64_t>(got - (offset - first), 0, count);
    std::copy_n(block.get() + (offset - first), useful, static_cast<char*>(destination));
    return useful;
}

namespace {
// Both writers take a stretch the same way; only the writer's kind differs.
template <typename Writer>
bool CopyStretchTo(const SourceFile& source, Writer& writer, int64_t offset, int64_t count, int* readError)
{
    *readError = 0;
    if (!FaultHook())
        return writer.CopyFrom(source.Descriptor(), offset, count, readError);
    // With a fault hook every byte goes through ReadAt, so the hook sees it.
    constexpr int64_t kBlock = int64_t(1) << 20;
    std::unique_ptr<char[]> block(new (std::nothrow) char[size_t(kBlock)]);
    if (!block) {
        *readError = ENOMEM;
        return false;
    }
    for (int64_t done = 0; done < count;) {
        const int64_t n = std::min(kBlock, count - done);
        const int64_t got = source.ReadAt(offset + done, block.get(), n, readError);
        if (got != n) {
            if (got >= 0)
                *readError = EIO;
            return false;
        }
        if (!writer.Write(block.get(), n))
            return false;
        done += n;
    }
    return true;
}
} // namespace

bool SourceFile::CopyTo(AtomicFileWriter& writer, int64_t offset, int64_t count, int* readError) const
{
    return CopyStretchTo(*this, writer, offset, count, readError);
}

bool SourceFile::CopyTo(StreamFileWriter& writer, int64_t offset, int64_t count, int* readError) const
{
    return CopyStretchTo(*this, writer, offset, count, readError);
}

int64_t SourceFile::BytesCopied(int64_t offset, int64_t count) const
{
    return FaultHook() ? count : StretchBytesWritten(fd_, offset, count);
}

int64_t SourceFile::HoleFrom(int64_t offset, int64_t count) const
{
    if (FaultHook())
        return 0;
    const off_t data = ::lseek(fd_, offset, SEEK_DATA);
    if (data < 0)
        return errno == ENXIO ? count : 0;  // a hole to the end, or no word of holes
    return std::clamp<int64_t>(data - offset, 0, count);
}

void SourceFile::AdviseSequential(int64_t offset, int64_t count) const
{
    ::posix_fadvise(fd_, offset, count, POSIX_FADV_SEQUENTIAL);
}

bool SourceFile::ChangedInPlace() const
{
    const FileStamp now = StampOfOpenFile(fd_);
    if (!now.exists)
        return true;
    // A device's node says nothing of its contents; only the name can change.
    return !blockDevice_ && (now.size != identity_.size || now.modifiedSeconds != identity_.modifiedSeconds ||
                             now.modifiedNanoseconds != identity_.modifiedNanoseconds);
}

SourceChange SourceFile::Check() const
{
    if (ChangedInPlace())
        return SourceChange::ChangedInPlace;
    const FileStamp named = StampOf(path_);
    if (!named.exists || named.device != identity_.device || named.inode != identity_.inode)
        return SourceChange::PathReplaced;
    return SourceChange::None;
}

} // namespace platform

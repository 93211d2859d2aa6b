#include "FileStamp.h"
#include "FileNames.h"

#include <sys/stat.h>

namespace platform {

namespace {
FileStamp StampOfInfo(const struct stat& info)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = uint64_t(info.st_dev);
    stamp.inode = uint64_t(info.st_ino);
    stamp.size = int64_t(info.st_size);
    stamp.modifiedSeconds = int64_t(info.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = int64_t(info.st_mtim.tv_nsec);
    return stamp;
}
} // namespace

FileStamp StampOf(const QString& path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(EncodeFileName(path).constData(), &info) != 0)
        return {};
    return StampOfInfo(info);
}

FileStamp StampOfOpenFile(int descriptor)
{
    struct stat info {};
    if (::fstat(descriptor, &info) != 0)
        return {};
    return StampOfInfo(info);
}

} // namespace platform

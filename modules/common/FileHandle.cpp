#include "FileHandle.h"

#include <new>

bool FileHandle::Open(const char16_t* path, Creation creation, Access access)
{
    return Open(path ? QString::fromUtf16(path) : QString(), creation, access);
}

bool FileHandle::Open(const QString& path, Creation creation, Access access)
{
    Close();
    if (path.isEmpty())
        return false;
    file_.setFileName(path);
    if (creation == OpenExisting && !file_.exists())
        return false;
    QIODevice::OpenMode mode = access == Read ? QIODevice::ReadOnly
                               : access == Write ? QIODevice::WriteOnly
                                                 : QIODevice::ReadWrite;
    if (creation == CreateAlways)
        mode |= QIODevice::Truncate;
    else if (creation == OpenExisting)
        mode |= QIODevice::ExistingOnly;
    // Write-only without Truncate keeps what follows the written bytes.
    if (access == Write && creation != CreateAlways)
        mode |= QIODevice::ReadWrite;
    return file_.open(mode);
}

void FileHandle::Close()
{
    if (file_.isOpen())
        file_.close();
    buffers_[0].reset();
    buffers_[1].reset();
    moved_ = 0;
}

bool FileHandle::ReadBytes(void* destination, int64_t count)
{
    moved_ = file_.read(static_cast<char*>(destination), count);
    if (moved_ < 0) {
        moved_ = 0;
        return false;
    }
    return true;
}

bool FileHandle::WriteBytes(const void* source, int64_t count)
{
    moved_ = file_.write(static_cast<const char*>(source), count);
    if (moved_ != count) {
        moved_ = moved_ < 0 ? 0 : moved_;
        return false;
    }
    return true;
}

uint8_t* FileHandle::AllocateBuffer(int which, size_t bytes)
{
    buffers_[which].reset(new (std::nothrow) uint8_t[bytes]);
    return buffers_[which].get();
}

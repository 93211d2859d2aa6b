#include "FileHandle.h"

#include <new>

bool FileHandle::Open(const char16_t* path, Creation creation, Access access)
{
    return Open(path ? QString::fromUtf16(path) : QString(), creation, access);
}

bool FileHandle::Open(const QString& path, Creation creation, Access access)
{
    CloseFile();
    moved_ = 0;
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

bool FileHandle::CloseFile()
{
    if (!file_.isOpen())
        return true;
    // close() flushes QFile's write buffer but does not report a failure.
    const bool flushed = !(file_.openMode() & QIODevice::WriteOnly) || file_.flush();
    file_.close();
    return flushed;
}

bool FileHandle::Close()
{
    const bool closed = CloseFile();
    for (auto& buffer : buffers_)
        buffer.reset();
    moved_ = 0;
    return closed;
}

void FileHandle::CloseAndRemove()
{
    const bool named = !file_.fileName().isEmpty();
    Close();
    if (named)
        file_.remove();
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
    if (which < 0 || which >= kBufferCount)
        return nullptr;
    buffers_[which].reset(new (std::nothrow) uint8_t[bytes]);
    return buffers_[which].get();
}

uint8_t* FileHandle::Buffer(int which) const
{
    return which >= 0 && which < kBufferCount ? buffers_[which].get() : nullptr;
}

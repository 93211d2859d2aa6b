#pragma once
// The small file wrapper every task module uses for its input and output
// files: open with a creation and an access mode, read and write with the
// count actually moved, and up to two work buffers that go with the file.
#include <QFile>
#include <cstdint>
#include <memory>

class FileHandle {
public:
    enum Creation { OpenOrCreate = 0, OpenExisting = 1, CreateAlways = 2 };
    enum Access { Read = 0, Write = 1, ReadWrite = 2 };

    FileHandle() = default;
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // Closes any file already open first.
    bool Open(const char16_t* path, Creation creation, Access access);
    bool Open(const QString& path, Creation creation, Access access);
    void Close();
    bool IsOpen() const { return file_.isOpen(); }

    // Both return false on failure; Moved() is the count of the last call.
    bool ReadBytes(void* destination, int64_t count);
    bool WriteBytes(const void* source, int64_t count);
    int64_t Moved() const { return moved_; }
    int64_t Size() const { return file_.size(); }

    // Work buffers freed on Close; null when memory runs out.
    uint8_t* AllocateBuffer(int which, size_t bytes);
    uint8_t* Buffer(int which) const { return buffers_[which].get(); }

private:
    QFile file_;
    int64_t moved_ = 0;
    std::unique_ptr<uint8_t[]> buffers_[2];
};

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

    // Closes any file already open first; the work buffers stay, so a
    // caller may allocate them before it opens its file.
    bool Open(const char16_t* path, Creation creation, Access access);
    bool Open(const QString& path, Creation creation, Access access);
    // Closes the file and frees the work buffers. Written data may still sit
    // in the file's buffer until here, so the result is false when it could
    // not all be written; a writer must check it.
    bool Close();
    // For output that must not be used: closes the file and deletes it.
    void CloseAndRemove();
    bool IsOpen() const { return file_.isOpen(); }

    // Both return false on failure; Moved() is the count of the last call.
    bool ReadBytes(void* destination, int64_t count);
    bool WriteBytes(const void* source, int64_t count);
    int64_t Moved() const { return moved_; }
    int64_t Size() const { return file_.size(); }

    // Work buffers 0 and 1, freed on Close; null when memory runs out or
    // `which` names no buffer.
    uint8_t* AllocateBuffer(int which, size_t bytes);
    uint8_t* Buffer(int which) const;

private:
    static constexpr int kBufferCount = 2;
    bool CloseFile();

    QFile file_;
    int64_t moved_ = 0;
    std::unique_ptr<uint8_t[]> buffers_[kBufferCount];
};

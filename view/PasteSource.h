#pragma once
// What a paste takes its bytes from: anything that can tell its byte count
// and write its bytes at a cursor. A memory block (clipboard or drop data)
// or a file, which is streamed and never held whole in memory.
#include "platform/FileReader.h"

#include <QString>
#include <cstdint>

class CBufferPos;

// Files move between the disk and the buffer in blocks of this many bytes
// through one cursor: small enough that a file is never held whole in
// memory, large enough that a 256 MiB paste costs little more than reading
// the file (512-byte pieces made it about a quarter slower).
constexpr int64_t kDiskBlock = 64 * 1024;

class IPasteSource {
public:
    virtual ~IPasteSource() = default;
    // The number of bytes the paste takes.
    virtual int64_t Count() = 0;
    // Writes the first count bytes over the buffer from `at` on (at does not
    // move). False when reading failed; the bytes not read are then zeros,
    // so the buffer never shows memory it did not get from the source.
    virtual bool WriteTo(const CBufferPos& at, int64_t count) = 0;
};

class CMemoryPasteSource : public IPasteSource {
public:
    CMemoryPasteSource(const void* data, int64_t count) : data_(data), count_(count) {}
    int64_t Count() override { return count_; }
    bool WriteTo(const CBufferPos& at, int64_t count) override;

private:
    const void* data_;
    int64_t count_;
};

class CFilePasteSource : public IPasteSource {
public:
    // False when the file cannot be opened; Error() tells why.
    bool Open(const QString& path);
    int64_t Count() override { return size_; }
    bool WriteTo(const CBufferPos& at, int64_t count) override;

    int Error() const { return error_; }
    const QString& Path() const { return reader_.Path(); }

private:
    platform::FileReader reader_;
    int64_t size_ = 0;
    int error_ = 0;
};

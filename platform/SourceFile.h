#pragma once
// A file the editor reads stretches of while it is open, instead of reading
// it whole: one read-only descriptor shared by every extent of the file, the
// file's identity taken at open, and reads that never stop half-way (EINTR,
// short reads and the kernel's per-call limit are handled here). Never a
// memory map: a file another program cuts short must cost an error, not the
// program (SIGBUS).
#include "FileStamp.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

class AtomicFileWriter;
class StreamFileWriter;

enum class SourceChange {
    None,            // as it was at open
    PathReplaced,    // the name now leads to another file (or none); ours reads as before
    ChangedInPlace,  // our file itself changed size or contents
};

class SourceFile {
public:
    // Regular files and block devices only, as FileReader opens them; null
    // with *error set (errno or FileErrors.h's values) otherwise.
    static std::shared_ptr<SourceFile> Open(const QString& path, int* error);
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    const QString& Path() const { return path_; }
    int64_t Size() const { return size_; }
    bool IsBlockDevice() const { return blockDevice_; }
    int32_t SectorSize() const { return sectorSize_; }
    // The file's device, inode, size and modification time at open.
    const FileStamp& Identity() const { return identity_; }
    int Descriptor() const { return fd_; }
    // Unique among the sources of this process, unlike an address, which a
    // later source may reuse.
    uint64_t Serial() const { return serial_; }

    // Reads count bytes from offset. Returns the bytes read, fewer than count
    // only where the file ends; -1 with *error on failure.
    int64_t ReadAt(int64_t offset, void* destination, int64_t count, int* error) const;
    // Appends count bytes from offset to what the writer has written,
    // copied by the kernel where it can. False when the writer failed (its
    // Error() says why) or, with *readError set, when reading failed.
    bool CopyTo(AtomicFileWriter& writer, int64_t offset, int64_t count, int* readError) const;
    bool CopyTo(StreamFileWriter& writer, int64_t offset, int64_t count, int* readError) const;
    // How many bytes CopyTo writes for that stretch: a sparse file's holes
    // take no room in the copy.
    int64_t BytesCopied(int64_t offset, int64_t count) const;
    // The bytes of a hole from offset on, at most count: 0 where data
    // begins there or the file system tells nothing of holes.
    int64_t HoleFrom(int64_t offset, int64_t count) const;
    // Tells the kernel a long sequential read of the stretch is coming.
    void AdviseSequential(int64_t offset, int64_t count) const;
    // How the file and its name compare with the identity taken at open.
    SourceChange Check() const;
    // Check's first half: whether the open file itself changed (one fstat,
    // no path lookup), for readers that keep reading a file replaced under
    // its name and so check after every block.
    bool ChangedInPlace() const;

    // Test seams, off by default. The fault hook is asked before every read
    // and may answer it instead (a result and an errno).
    using ReadFault = std::function<bool(int64_t offset, int64_t count, int64_t* result, int* error)>;
    static void InjectReadFault(ReadFault fault);
    // Open treats a regular file as a block device of this size and sector
    // size (size 0 turns it off).
    static void InjectDeviceGeometry(int64_t size, int32_t sectorSize);

private:
    SourceFile() = default;
    int64_t ReadAligned(int64_t offset, void* destination, int64_t count, int* error) const;
    int64_t ReadPlain(int64_t offset, void* destination, int64_t count, int* error) const;

    QString path_;
    int fd_ = -1;
    uint64_t serial_ = 0;
    int64_t size_ = 0;
    bool blockDevice_ = false;
    int32_t sectorSize_ = 1;
    FileStamp identity_;
};

} // namespace platform

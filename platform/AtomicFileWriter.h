#pragma once
// Writes a file so that a failed or interrupted save never damages the
// original: the new contents go to a temporary file in the same directory,
// which replaces the original in one rename once everything is on disk.
// Where the file system allows, that temporary file has no name until it is
// complete (O_TMPFILE), so a save killed half-way leaves nothing behind;
// elsewhere it is a hidden ".vantrel-save-XXXXXX" that an interrupted save
// leaves.
// The original's permission bits are kept, and a symbolic link is followed
// so that its target is written and the link itself stays.
#include <QString>
#include <cstdint>

namespace platform {

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();  // abandons an uncommitted temporary file
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Open(const QString& path);
    bool Write(const void* data, int64_t count);
    // Appends count bytes of the file open on sourceFd, from sourceOffset,
    // copied by the kernel (cloned where the file system can); where it
    // cannot, read and written in large blocks. Holes of a sparse source stay
    // holes, so a disk image keeps its size on disk. A source that ends early
    // is EIO. On failure Error() says why; when reading the source failed,
    // *readError (if given) has the same errno, else it is 0.
    bool CopyFrom(int sourceFd, int64_t sourceOffset, int64_t count, int* readError = nullptr);
    // False, with ENOSPC, when the file system has less room than
    // totalBytes: a save is refused before writing anything.
    bool CheckRoom(int64_t totalBytes);
    // Flushes, closes and renames over the target. On failure the target is untouched.
    bool Commit();
    void Abandon();

    int Error() const { return error_; }
    // The path as the user named it; error texts name this file.
    const QString& Path() const { return path_; }

private:
    bool Fail(int errorNumber);
    bool CreateTemporary();
    bool LinkUnnamedTemporary();

    QString path_;
    QByteArray target_;     // the file actually replaced (symbolic links resolved)
    QByteArray temporary_;  // the file being written, once it has a name
    int fd_ = -1;
    int error_ = 0;
    bool endsInHole_ = false;  // the file must be extended over a hole at its end
};

} // namespace platform

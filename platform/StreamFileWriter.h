#pragma once
// Writes a file of the program's own straight through: the bytes go into
// the named file as they come, with no temporary file beside it, no flush to
// the disk and no rename. Meant for private temporary files (the input a
// task module reads), which are created exclusively in our temporary folder,
// read once and deleted; a failure there loses nothing, so the cost of
// AtomicFileWriter's replace-and-sync buys nothing. A user's file always goes
// through AtomicFileWriter.
#include <QString>
#include <cstdint>
#include <sys/uio.h>

namespace platform {

class StreamFileWriter {
public:
    StreamFileWriter() = default;
    ~StreamFileWriter();  // closes a file not yet committed
    StreamFileWriter(const StreamFileWriter&) = delete;
    StreamFileWriter& operator=(const StreamFileWriter&) = delete;

    // Opens the file for writing, created if missing and emptied if not. A
    // symbolic link is not followed.
    bool Open(const QString& path);
    bool Write(const void* data, int64_t count);
    // Writes the pieces in order with as few system calls as the system
    // allows, without copying them together first. The array is used up:
    // its entries are changed while a partly written piece is finished.
    bool WriteGathered(iovec* pieces, int count);
    // Appends count bytes of the file open on sourceFd, from sourceOffset,
    // as AtomicFileWriter::CopyFrom does: by the kernel where it can, holes
    // kept as holes. On failure Error() says why; when reading the source
    // failed, *readError (if given) has the same errno, else it is 0.
    bool CopyFrom(int sourceFd, int64_t sourceOffset, int64_t count, int* readError = nullptr);
    // Closes the file; false when the system reports that data could not be
    // written after all.
    bool Commit();

    int Error() const { return error_; }
    const QString& Path() const { return path_; }

private:
    bool Fail(int errorNumber);
    // True (and the writer failed) when a write failure was asked for.
    bool TakeRequestedFailure();
    void CloseQuietly();

    QString path_;
    int fd_ = -1;
    int error_ = 0;
    bool endsInHole_ = false;  // the file must be extended over a hole at its end
};

} // namespace platform

#pragma once
// The copy of an unchanged stretch of one open file into a file being
// written, shared by both writers (a user's save and a task's private input
// file): by the kernel, which clones the blocks where the file system can
// and otherwise at least keeps the bytes out of our memory; through memory
// where the kernel refuses. Holes of a sparse source stay holes, so a disk
// image of tens of GiB with a few MiB of data costs a few MiB on disk.
#include "FileCopy.h"

#include <cstdint>

namespace platform {

// Writes count bytes of sourceFd from sourceOffset at targetFd's position,
// which moves past them. A hole of the source is not written but moved over;
// *endsInHole says whether the last bytes were such a hole, so that the
// writer extends the file over it when it closes (left as it was when count
// is 0). A source that ends early fails reading with EIO.
FileCopyResult CopyStretch(int sourceFd, int64_t sourceOffset, int64_t count, int targetFd, bool* endsInHole);

// How many bytes CopyStretch writes for that stretch: all but those in the
// source's holes, which is the room the copy takes on the disk.
int64_t StretchBytesWritten(int sourceFd, int64_t sourceOffset, int64_t count);

// CopyStretch as the writers report it: 0 when copied, else the errno, with
// *readError (when given) set to it where reading failed and to 0 otherwise.
int CopyStretchForWriter(int sourceFd, int64_t sourceOffset, int64_t count, int targetFd, bool* endsInHole,
                         int* readError);

} // namespace platform

#pragma once
// Writes a range of the buffer to a file, streamed, never held whole in
// memory.
#include <QString>
#include <cstdint>

class CBufferPos;

// For a user's file: the range is written in full beside the target, which
// it then replaces, so a failure never leaves a half-written file behind.
// Writes count bytes from `from` on to path; a failure is reported with the
// standard file-error message naming the file and returns false.
bool WriteRangeToFile(const CBufferPos& from, int64_t count, const QString& path);

// For a private temporary file of the program (a task's input): the bytes go
// straight into it, without the replace and the flush to disk. Failures are
// reported the same way.
bool WriteRangeToTempFile(const CBufferPos& from, int64_t count, const QString& path);

#pragma once
// Writes a range of the buffer to a file, streamed, never held whole in
// memory. The file is written in full beside the target and then takes its
// place, so a failure never leaves a half-written file behind.
#include <QString>
#include <cstdint>

class CBufferPos;

// Writes count bytes from `from` on to path; a failure is reported with the
// standard file-error message naming the file and returns false.
bool WriteRangeToFile(const CBufferPos& from, int32_t count, const QString& path);

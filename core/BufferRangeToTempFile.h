#pragma once
// Streams a run of the buffer's bytes into a private temporary file of the
// program (the input a task module reads), with gathered writes straight
// from the memory chunks (no copy into a staging block for them) and the
// stretches still in the file on disk copied from file to file by the
// kernel, their holes kept; no temporary beside the file, no flush to disk.
// A user's file is saved through the safe replace of CFileBuffer::SaveToFile
// instead.
#include "CoreProblem.h"

#include <QString>
#include <cstdint>

class CFileBuffer;

// Writes count bytes of the buffer from offset on. Returns no problem on
// success; a write failure is a FileError naming path, a read failure of the
// file on disk a FileError naming that file.
CoreProblem WriteBufferRangeToTempFile(const CFileBuffer& buffer, int64_t offset, int64_t count, const QString& path);

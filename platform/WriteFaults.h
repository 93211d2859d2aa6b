#pragma once
// The failures a real disk shows rarely (full, failing, a file system
// without unnamed temporary files or kernel copies), acted out by both file
// writers on request so that tests reach every failure path. Nothing in the
// program sets them: outside tests every field keeps its default.
#include <cstdint>

namespace platform {

struct WriteFaults {
    int nextWriteError = 0;           // errno of the next write by either writer; 0: none
    bool noUnnamedTemporary = false;  // behave as if O_TMPFILE were refused
    int64_t freeSpace = -1;           // bytes the file system seems to have free; -1: the truth
    bool noKernelCopy = false;        // copy through memory, never copy_file_range
};

// The faults in force.
WriteFaults& ActiveWriteFaults();

// The errno of a pending write failure, cleared as it is taken (a failure
// is acted out once); 0 when none is pending.
int TakeWriteError();

} // namespace platform

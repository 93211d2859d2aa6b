#pragma once
// Finding where two files agree again after a difference: the nearest place
// where both hold the same run of minMatchLen bytes, reached by advancing the
// two files in turn one byte at a time. Each file's windows go into a hash
// table of their own; each window is looked up in the other file's table
// before it is stored, and of several equal windows of one file only the
// earliest offset is stored. So the place found is the first common window
// met in that lockstep, whatever the hash.
#include "core/CoreProblem.h"
#include "tools/EscapePoller.h"

#include <cstddef>
#include <cstdint>

class CBufferPos;

// The heap limit of the two tables together.
struct TableBudget {
    size_t limit = SIZE_MAX;
    size_t used = 0;
    size_t peak = 0;
};

enum class ResyncResult {
    Matched,      // both cursors stand at the start of a common run
    NoMatch,      // no common run before the ends of the files
    Cancelled,    // Esc was pressed
    OutOfMemory,  // the tables outgrew their budget or the heap
    ReadFailed,   // a file's bytes could not be read; the problem says why
};

// The bucket count of both tables: the first of a fixed list of primes that
// is greater than the larger remaining length (the largest one when none is).
uint32_t ResyncBucketCount(int32_t remaining1, int32_t remaining2);

// Moves the cursors to the first common window. On NoMatch, Cancelled,
// OutOfMemory and ReadFailed the cursors are left where the search stopped.
// Both files must hold at least minMatchLen bytes at their cursors.
ResyncResult Resynchronise(CBufferPos& cursor1, CBufferPos& cursor2, int32_t minMatchLen,
                           const EscapePoller& escapePressed, TableBudget& budget, CoreProblem& problem);

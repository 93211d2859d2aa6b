#pragma once
// Finding where two files agree again after a difference: the nearest place
// where both hold the same run of minMatchLen bytes, reached by advancing the
// two files in turn one byte at a time. "Nearest" is that lockstep's order:
// at step s file 1's window at s is looked up among file 2's windows before
// s, then file 2's window at s among file 1's windows up to s, and a window
// found is the earliest of those equal to the one looking up. So the answer
// is the pair of equal windows (s1, s2), relative to the cursors, with the
// least (max(s1, s2), file 1 ahead first, the found offset), whatever the
// hash.
//
// Indexing every window of both files would cost memory and a cache miss
// per byte. Instead, in each file only the windows of minMatchLen - T + 1
// bytes that start on a stride of T bytes from the cursor are indexed, T
// about half the match length (T is 1 up to 8 bytes: every window is then
// indexed, as there are few distinct ones or few bytes to spare). Every
// common window of the match length holds a whole stride window of each
// file, equal to the bytes on the same diagonal in the other file, so
// looking up every offset of each file among the other file's stride
// windows finds its diagonal; the common run on that diagonal then gives
// the earliest common window on it. File 1's offsets find the pairs where
// file 1 is ahead and file 2's the others, each at most a stride after the
// pair's step: a candidate is final once the scan is a stride past it.
// A stride window whose surroundings repeat an earlier stored one is not
// stored again (its windows are all matched no later by the earlier one),
// which keeps runs of one byte or of a short pattern from making look-ups
// long. Text-like content, where short runs recur in ever new surroundings,
// still lengthens them: those stride windows are all kept.
//
// The stride windows go into flat tables of 8-byte slots (SampledWindowTable),
// about an eighth of the positions at a match length of 16 and fewer beyond,
// charged to the budget before they grow. Esc is looked at by the clock,
// every 20 ms, during the scan and between megabytes of a table's growth.
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

// Moves the cursors to the first common window. On NoMatch, Cancelled,
// OutOfMemory and ReadFailed the cursors are left where the search stopped.
// Both files must hold at least minMatchLen bytes at their cursors.
ResyncResult Resynchronise(CBufferPos& cursor1, CBufferPos& cursor2, int32_t minMatchLen,
                           const EscapePoller& escapePressed, TableBudget& budget, CoreProblem& problem);

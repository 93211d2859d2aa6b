#pragma once
// Reads a file once, in large blocks, and feeds every block to all digests
// of a task at the same time on worker threads (one per core at most) while
// the next block is read: with cores to spare the task takes about as long
// as its slowest digest, and a single digest does not wait for the reads.
#include "Digest.h"

#include <QString>

// Returns a task result code: 0, 2 (memory) or 4 (opening or reading the
// input); `length` gets the number of bytes read.
uint32_t DigestFile(const QString& path, const DigestList& digests, uint64_t& length);

#pragma once
// The comparison of two files, one difference at a time. Both cursors start
// at offset 0; each Find Next Difference compares on from where they stand
// until the files differ, then finds where they agree again over at least
// the minimum match length, so an inserted or deleted stretch is one
// difference. A difference that reaches the end of either file without the
// files agreeing again runs to both ends.
#include "core/BufferPos.h"
#include "core/CoreProblem.h"
#include "tools/CompareResync.h"
#include "tools/EscapePoller.h"

#include <QString>
#include <cstdint>
#include <vector>

class CFileBuffer;

// Offsets and lengths of one difference in file 1 and file 2.
struct CompareDifference {
    int64_t offset1 = 0;
    int64_t offset2 = 0;
    int64_t length1 = 0;
    int64_t length2 = 0;

    bool operator==(const CompareDifference&) const = default;
};

enum class CompareStep {
    Found,        // appended to Differences()
    NoMore,       // the files agree from the cursors to their ends
    Cancelled,    // Esc was pressed
    OutOfMemory,  // the resynchronisation ran out of memory (the comparison is cancelled)
    ReadFailed,   // a file's bytes could not be read: Problem() says why (the comparison is cancelled)
};

// Bytes compared between two looks at the Esc key: 16 blocks of 1024.
constexpr int32_t COMPARE_ESC_BLOCK = 1024;
constexpr int32_t COMPARE_ESC_BLOCKS = 16;
constexpr int32_t MIN_MATCH_LEN_MAX = 16384;

QString CompareScanningStatusText();     // "Scanning for next difference...  Press Esc to stop"
QString CompareResyncStatusText();       // "Scanning for next match...  Press Esc to stop"
QString CompareFoundStatusText();        // "Difference found"
QString CompareOutOfMemoryText();        // "There is not enough memory available to continue comparing ..."

class CFileCompare {
public:
    // The buffers must outlive the comparison and stay unchanged during it.
    CFileCompare(CFileBuffer& file1, CFileBuffer& file2, int32_t minMatchLen);

    void SetEscapePoller(EscapePoller poller) { escapePressed_ = std::move(poller); }
    // The most the two resynchronisation tables may hold together.
    void SetTableMemoryLimit(size_t bytes) { budget_.limit = bytes; }

    CompareStep FindNextDifference();

    const std::vector<CompareDifference>& Differences() const { return differences_; }
    bool AtEnd() const { return atEnd_; }
    bool Cancelled() const { return cancelled_; }
    // Why the comparison stopped with ReadFailed.
    const CoreProblem& Problem() const { return problem_; }
    int32_t MinMatchLen() const { return minMatchLen_; }
    int64_t Offset1() const { return cursor1_.Offset(); }
    int64_t Offset2() const { return cursor2_.Offset(); }
    // The most the tables held at once, in bytes, over the whole comparison.
    size_t PeakTableBytes() const { return budget_.peak; }

private:
    enum class ScanResult { Differs, Agree, Cancelled, Failed };
    ScanResult Scan();
    bool EscapePressed() const { return escapePressed_ && escapePressed_(); }

    CBufferPos cursor1_;
    CBufferPos cursor2_;
    int32_t minMatchLen_;
    bool atEnd_ = false;
    bool cancelled_ = false;
    std::vector<CompareDifference> differences_;
    EscapePoller escapePressed_;
    TableBudget budget_;
    CoreProblem problem_;
};

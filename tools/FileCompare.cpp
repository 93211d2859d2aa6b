#include "FileCompare.h"

#include "core/FileBuffer.h"
#include "platform/StatusHooks.h"
#include "core/SpanReader.h"

#include <algorithm>
#include <cstring>

QString CompareScanningStatusText() { return QStringLiteral("Scanning for next difference...  Press Esc to stop"); }

QString CompareResyncStatusText() { return QStringLiteral("Scanning for next match...  Press Esc to stop"); }

QString CompareFoundStatusText() { return QStringLiteral("Difference found"); }

QString CompareOutOfMemoryText()
{
    return QStringLiteral(
        "There is not enough memory available to continue comparing these files.\n\n"
        "Note that comparing very large files, especially ones that are very different, will use the most "
        "memory and will compare the slowest. Either break up the files you are comparing or increase the "
        "amount of available memory.");
}

CFileCompare::CFileCompare(CFileBuffer& file1, CFileBuffer& file2, int32_t minMatchLen)
    : minMatchLen_(std::clamp(minMatchLen, 1, MIN_MATCH_LEN_MAX))
{
    cursor1_.Bind(&file1, false, 0);
    cursor2_.Bind(&file2, false, 0);
}

namespace {

// The first index at which two equal-length byte runs differ (they do).
int32_t FirstDifference(const uint8_t* a, const uint8_t* b, int32_t count)
{
    int32_t i = 0;
    // Narrow down by words first: the differing word is then searched bytewise.
    while (i + 8 <= count && std::memcmp(a + i, b + i, 8) == 0)
        i += 8;
    while (a[i] == b[i])
        ++i;
    return i;
}

} // namespace

// Equal stretches are the common case: they are compared span against
// span, as long a piece as both spans allow, without copying.
CFileCompare::ScanResult CFileCompare::Scan()
{
    const int64_t remaining1 = cursor1_.Buffer()->Size() - cursor1_.Offset();
    const int64_t remaining2 = cursor2_.Buffer()->Size() - cursor2_.Offset();
    const int64_t common = std::min(remaining1, remaining2);
    CSpanReader reader1(*cursor1_.Buffer(), cursor1_.Offset());
    CSpanReader reader2(*cursor2_.Buffer(), cursor2_.Offset());
    std::span<const uint8_t> a, b;
    constexpr int32_t escInterval = COMPARE_ESC_BLOCK * COMPARE_ESC_BLOCKS;
    int64_t done = 0;
    int32_t untilEscape = escInterval;
    while (done < common) {
        if (a.empty())
            a = reader1.Next(common - done);
        if (b.empty())
            b = reader2.Next(common - done);
        if (a.empty() || b.empty()) {
            problem_ = reader1.Failed() ? reader1.Problem() : reader2.Problem();
            return ScanResult::Failed;
        }
        // A span may be far longer than 2 GiB (an untouched extent): the
        // piece compared at once is bounded by the Esc interval first.
        const int32_t n = int32_t(std::min<int64_t>({int64_t(a.size()), int64_t(b.size()), untilEscape}));
        if (std::memcmp(a.data(), b.data(), size_t(n)) != 0) {
            done += FirstDifference(a.data(), b.data(), n);
            cursor1_.Seek(cursor1_.Offset() + done);
            cursor2_.Seek(cursor2_.Offset() + done);
            return ScanResult::Differs;
        }
        a = a.subspan(size_t(n));
        b = b.subspan(size_t(n));
        done += n;
        untilEscape -= n;
        if (untilEscape == 0) {
            if (EscapePressed())
                return ScanResult::Cancelled;
            untilEscape = escInterval;
        }
    }
    cursor1_.Seek(cursor1_.Offset() + common);
    cursor2_.Seek(cursor2_.Offset() + common);
    atEnd_ = true;
    // The longer file's tail is a difference that starts here.
    return remaining1 == remaining2 ? ScanResult::Agree : ScanResult::Differs;
}

CompareStep CFileCompare::FindNextDifference()
{
    platform::WaitCursor wait;
    platform::ShowStatusText(CompareScanningStatusText());
    switch (Scan()) {
    case ScanResult::Agree:
        return CompareStep::NoMore;
    case ScanResult::Cancelled:
        cancelled_ = true;
        return CompareStep::Cancelled;
    case ScanResult::Failed:
        cancelled_ = true;
        return CompareStep::ReadFailed;
    case ScanResult::Differs:
        break;
    }

    CompareDifference difference;
    difference.offset1 = cursor1_.Offset();
    difference.offset2 = cursor2_.Offset();
    bool toEnds = atEnd_;
    if (!atEnd_) {
        platform::ShowStatusText(CompareResyncStatusText());
        switch (Resynchronise(cursor1_, cursor2_, minMatchLen_, escapePressed_, budget_, problem_)) {
        case ResyncResult::Matched:
            break;
        case ResyncResult::NoMatch:
            toEnds = true;
            atEnd_ = true;
            break;
        case ResyncResult::Cancelled:
            cancelled_ = true;
            return CompareStep::Cancelled;
        case ResyncResult::OutOfMemory:
            cancelled_ = true;
            return CompareStep::OutOfMemory;
        case ResyncResult::ReadFailed:
            cancelled_ = true;
            return CompareStep::ReadFailed;
        }
    }
    if (toEnds) {
        cursor1_.Seek(cursor1_.Buffer()->Size());
        cursor2_.Seek(cursor2_.Buffer()->Size());
    }
    difference.length1 = cursor1_.Offset() - difference.offset1;
    difference.length2 = cursor2_.Offset() - difference.offset2;
    differences_.push_back(difference);
    platform::ShowStatusText(CompareFoundStatusText());
    return CompareStep::Found;
}

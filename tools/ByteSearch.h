#pragma once
// The one search engine behind Find, Find Next, Find Previous and Replace: a
// byte pattern, a match-case flag and a skip table of unsigned bytes. It reads
// the file buffer span by span in place, in either direction; windows that
// straddle spans are compared in a small stitch of the last bytes passed and
// the edge of the next span, the only bytes it copies. Windows are screened
// in blocks on their first and last bytes before the full compare.
//
// Comparison is byte by byte. Without match case the ASCII letters a-z and
// A-Z compare equal to each other (so in UTF-16 text only ASCII letters fold).
#include "core/BufferPos.h"
#include "core/CoreProblem.h"

#include <array>
#include <cstdint>
#include <vector>

class CFileBuffer;

class CByteSearch {
public:
    // Patterns are typed into a dialog, so their length is an int; offsets
    // and bounds are file offsets.
    CByteSearch() = default;
    CByteSearch(const void* pattern, int32_t length, bool matchCase) { SetPattern(pattern, length, matchCase); }

    // Copies the pattern and builds the skip tables for both directions.
    void SetPattern(const void* pattern, int32_t length, bool matchCase);

    int32_t Length() const { return int32_t(pattern_.size()); }
    bool MatchCase() const { return matchCase_; }
    const std::vector<uint8_t>& Pattern() const { return pattern_; }

    // The first match that starts at or after the position `from` and ends at
    // or before `bound` (exclusive, clipped to the file size); -1 when none.
    int64_t FindForward(const CBufferPos& from, int64_t bound) const;
    // The last match that ends at or before the position `from` and starts at
    // or after `lowerBound`; -1 when none.
    int64_t FindBackward(const CBufferPos& from, int64_t lowerBound) const;

    // The same by offsets.
    int64_t FindForward(CFileBuffer& buffer, int64_t start, int64_t bound) const;
    int64_t FindBackward(CFileBuffer& buffer, int64_t start, int64_t lowerBound) const;

    // Why the last Find returned -1 when the buffer's bytes could not be
    // read; no problem when it simply found nothing.
    const CoreProblem& Problem() const { return problem_; }

    // Skip tables as the search uses them: each entry is the pattern length
    // modulo 256 unless the byte occurs in the pattern. Forward: the distance
    // from the byte's last occurrence to the pattern's end. Backward: the
    // index of its first occurrence.
    const std::array<uint8_t, 256>& ForwardSkip() const { return forwardSkip_; }
    const std::array<uint8_t, 256>& BackwardSkip() const { return backwardSkip_; }

private:
    void BuildTables();
    int64_t Forward(const CFileBuffer& buffer, int64_t start, int64_t bound) const;
    int64_t Backward(const CFileBuffer& buffer, int64_t start, int64_t lowerBound) const;
    template <bool Fold>
    int64_t ScanForward(const CFileBuffer& buffer, int64_t start, int64_t bound) const;
    template <bool Fold>
    int64_t ScanBackward(const CFileBuffer& buffer, int64_t start, int64_t lowerBound) const;
    template <bool Fold>
    int64_t ScanRunForward(const uint8_t* data, int64_t& end, int64_t limit) const;
    template <bool Fold>
    int64_t ScanRunBackward(const uint8_t* data, int64_t& start, int64_t low) const;

    std::vector<uint8_t> pattern_;
    std::vector<uint8_t> folded_;  // the pattern as it is compared (upper-cased without match case)
    bool matchCase_ = true;
    std::array<uint8_t, 256> forwardSkip_{};
    std::array<uint8_t, 256> backwardSkip_{};
    // What the first comparison of a window moves by when it fails: the skip
    // entry (at least 1), or 0 when the text byte equals the pattern's last
    // (forward) or first (backward) byte and the rest must be compared.
    std::array<uint8_t, 256> forwardFirst_{};
    std::array<uint8_t, 256> backwardFirst_{};
    mutable CoreProblem problem_;  // set by each Find
};

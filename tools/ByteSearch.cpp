#include "ByteSearch.h"

#include "core/FileBuffer.h"
#include "core/SpanReader.h"
#include "tools/SpanStitch.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::array<uint8_t, 256> MakeUpperTable()
{
    std::array<uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[size_t(b)] = uint8_t(b >= 'a' && b <= 'z' ? b - 32 : b);
    return table;
}
constexpr std::array<uint8_t, 256> kUpper = MakeUpperTable();

bool IsAsciiLetter(uint8_t b) { return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'); }

// patternByte is already folded when Fold is set.
template <bool Fold>
inline bool Same(uint8_t textByte, uint8_t patternByte)
{
    if constexpr (Fold)
        return kUpper[textByte] == patternByte;
    else
        return textByte == patternByte;
}

// Windows are screened 32 at a time on their first and last bytes, which
// leaves few candidates for the full comparison. This is what lets a search
// keep up with a plain memmem() over contiguous memory; the few windows left
// at the end of a run go through the skip table instead.
constexpr int64_t kBlock = 32;

class EdgeFilter {
public:
    // first and last are the pattern's edge bytes as compared (upper-cased
    // when folding). Without match case a letter is compared with bit 5 set
    // on both sides, which maps exactly its two cases together.
    EdgeFilter(uint8_t first, uint8_t last, bool fold)
    {
        firstOr_ = fold && IsAsciiLetter(first) ? 0x20 : 0;
        lastOr_ = fold && IsAsciiLetter(last) ? 0x20 : 0;
        first_ = uint8_t(first | firstOr_);
        last_ = uint8_t(last | lastOr_);
#if defined(__SSE2__)
        firstV_ = _mm_set1_epi8(char(first_));
        lastV_ = _mm_set1_epi8(char(last_));
        firstOrV_ = _mm_set1_epi8(char(firstOr_));
        lastOrV_ = _mm_set1_epi8(char(lastOr_));
#endif
    }

    // Bit j is set when the window starting at starts[j] (and so ending at
    // ends[j]) has the pattern's edge bytes, for j from 0 to 31.
    uint32_t Candidates(const uint8_t* starts, const uint8_t* ends) const
    {
#if defined(__SSE2__)
        return Half(starts, ends) | (Half(starts + 16, ends + 16) << 16);
#else
        uint32_t mask = 0;
        for (int j = 0; j < kBlock; ++j)
            if (uint8_t(starts[j] | firstOr_) == first_ && uint8_t(ends[j] | lastOr_) == last_)
                mask |= uint32_t(1) << j;
        return mask;
#endif
    }

private:
#if defined(__SSE2__)
    uint32_t Half(const uint8_t* starts, const uint8_t* ends) const
    {
        const __m128i a = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(starts)), firstOrV_);
        const __m128i b = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(ends)), lastOrV_);
        return uint32_t(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, firstV_), _mm_cmpeq_epi8(b, lastV_))));
    }
    __m128i firstV_, lastV_, firstOrV_, lastOrV_;
#endif
    uint8_t first_ = 0, last_ = 0, firstOr_ = 0, lastOr_ = 0;
};

// The bytes between the edges, which the filter did not look at.
template <bool Fold>
inline bool InnerMatches(const uint8_t* window, const uint8_t* pattern, int32_t n)
{
    if constexpr (!Fold)
        return n <= 2 || std::memcmp(window + 1, pattern + 1, size_t(n - 2)) == 0;
    for (int32_t k = 1; k < n - 1; ++k)
        if (kUpper[window[k]] != pattern[k])
            return false;
    return true;
}

} // namespace

void CByteSearch::SetPattern(const void* pattern, int32_t length, bool matchCase)
{
    const auto* bytes = static_cast<const uint8_t*>(pattern);
    pattern_.assign(bytes, bytes + std::max(length, 0));
    matchCase_ = matchCase;
    folded_ = pattern_;
    if (!matchCase_)
        for (uint8_t& b : folded_)
            b = kUpper[b];
    BuildTables();
}

void CByteSearch::BuildTables()
{
    const auto n = int32_t(pattern_.size());
    // Entries are bytes: a pattern of 256 bytes or more wraps, which only
    // ever shortens a shift (never skips a match); every shift is at least
    // one past the mismatched byte's window position, so the search progresses.
    const auto unknown = uint8_t(n % 256);
    forwardSkip_.fill(unknown);
    backwardSkip_.fill(unknown);
    auto set = [this](std::array<uint8_t, 256>& table, uint8_t b, int32_t value) {
        table[b] = uint8_t(value % 256);
        if (!matchCase_ && IsAsciiLetter(b))
            table[b ^ 0x20u] = uint8_t(value % 256);
    };
    for (int32_t i = 0; i < n; ++i)
        set(forwardSkip_, pattern_[size_t(i)], n - 1 - i);
    for (int32_t i = n - 1; i >= 0; --i)
        set(backwardSkip_, pattern_[size_t(i)], i);

    forwardFirst_.fill(0);
    backwardFirst_.fill(0);
    if (n == 0)
        return;
    const uint8_t last = folded_[size_t(n - 1)];
    const uint8_t first = folded_[0];
    for (int t = 0; t < 256; ++t) {
        const auto text = uint8_t(t);
        const uint8_t compared = matchCase_ ? text : kUpper[text];
        forwardFirst_[text] = compared == last ? 0 : std::max<uint8_t>(1, forwardSkip_[text]);
        backwardFirst_[text] = compared == first ? 0 : std::max<uint8_t>(1, backwardSkip_[text]);
    }
}

// ---------------------------------------------------------------- contiguous runs

// Tries the windows that end at `end` and after, up to (not including)
// limit, in contiguous bytes that hold every such window whole.
template <bool Fold>
int64_t CByteSearch::ScanRunForward(const uint8_t* data, int64_t& end, int64_t limit) const
{
    const auto n = int64_t(folded_.size());
    const uint8_t* pattern = folded_.data();
    const EdgeFilter filter(pattern[0], pattern[n - 1], Fold);
    int64_t start = end - (n - 1);
    const int64_t startStop = limit - (n - 1);
    for (; start + kBlock <= startStop; start += kBlock) {
        for (uint32_t mask = filter.Candidates(data + start, data + start + (n - 1)); mask != 0; mask &= mask - 1) {
            const int64_t candidate = start + __builtin_ctz(mask);
            if (InnerMatches<Fold>(data + candidate, pattern, int32_t(n)))
                return candidate;
        }
    }
    end = start + (n - 1);
    const uint8_t* first = forwardFirst_.data();
    while (end < limit) {
        // The common case: the window's last byte differs, skip at once.
        const uint8_t shift = first[data[end]];
        if (shift != 0) {
            end += shift;
            continue;
        }
        // The last byte matched; compare the rest from the end toward the start.
        const uint8_t* window = data + (end - (n - 1));
        int64_t k = n - 2;
        while (k >= 0 && Same<Fold>(window[k], pattern[k]))
            --k;
        if (k < 0)
            return end - (n - 1);
        // Align the mismatched byte with its last occurrence in the pattern,
        // or move the window one past it: measured from the mismatched byte,
        // so no match is ever stepped over.
        end += -(n - 1 - k) + std::max<int64_t>(n - k, forwardSkip_[window[k]]);
    }
    return -1;
}

// Mirrors ScanRunForward: window starts from `start` down to low, highest first.
template <bool Fold>
int64_t CByteSearch::ScanRunBackward(const uint8_t* data, int64_t& start, int64_t low) const
{
    const auto n = int64_t(folded_.size());
    const uint8_t* pattern = folded_.data();
    const EdgeFilter filter(pattern[0], pattern[n - 1], Fold);
    for (; start - (kBlock - 1) >= low; start -= kBlock) {
        const int64_t blockStart = start - (kBlock - 1);
        for (uint32_t mask = filter.Candidates(data + blockStart, data + blockStart + (n - 1)); mask != 0;
             mask &= ~(uint32_t(1) << (31 - __builtin_clz(mask)))) {
            const int64_t candidate = blockStart + (31 - __builtin_clz(mask));
            if (InnerMatches<Fold>(data + candidate, pattern, int32_t(n)))
                return candidate;
        }
    }
    const uint8_t* first = backwardFirst_.data();
    while (start >= low) {
        const uint8_t shift = first[data[start]];
        if (shift != 0) {
            start -= shift;
            continue;
        }
        // The first byte matched; compare the rest from the start toward the end.
        const uint8_t* window = data + start;
        int64_t k = 1;
        while (k < n && Same<Fold>(window[k], pattern[k]))
            ++k;
        if (k == n)
            return start;
        start += k - std::max<int64_t>(k + 1, backwardSkip_[window[k]]);
    }
    return -1;
}

// ---------------------------------------------------------------- forward

int64_t CByteSearch::FindForward(const CBufferPos& from, int64_t bound) const
{
    problem_ = {};
    if (!from.Buffer())
        return -1;
    return Forward(*from.Buffer(), from.Offset(), bound);
}

int64_t CByteSearch::FindForward(CFileBuffer& buffer, int64_t start, int64_t bound) const
{
    problem_ = {};
    if (start < 0 || start > buffer.Size())
        return -1;
    return Forward(buffer, start, bound);
}

int64_t CByteSearch::Forward(const CFileBuffer& buffer, int64_t start, int64_t bound) const
{
    const auto n = int64_t(pattern_.size());
    bound = std::min<int64_t>(bound, buffer.Size());
    if (n == 0 || start + n > bound)
        return -1;
    return matchCase_ ? ScanForward<false>(buffer, start, bound) : ScanForward<true>(buffer, start, bound);
}

// Each span read is searched in two parts: the windows that end in its
// first n - 1 bytes and so start in earlier spans, through the stitch, and
// the windows wholly inside it, in place.
template <bool Fold>
int64_t CByteSearch::ScanForward(const CFileBuffer& buffer, int64_t start, int64_t bound) const
{
    const auto keep = int64_t(pattern_.size()) - 1;
    CSpanReader reader(buffer, start);
    SpanStitch stitch(keep);
    int64_t nextEnd = start + keep;  // the end of the first window not yet tried
    while (nextEnd < bound) {
        const int64_t base = reader.Offset();
        const std::span<const uint8_t> span = reader.Next(bound - base);
        if (span.empty()) {
            problem_ = reader.Problem();
            return -1;
        }
        const auto size = int64_t(span.size());
        if (keep > 0) {
            const int64_t carried = stitch.Carried();
            const std::span<const uint8_t> joined = stitch.JoinAfter(span);
            if (nextEnd < base + std::min(keep, size)) {
                int64_t end = carried + (nextEnd - base);
                const int64_t found = ScanRunForward<Fold>(joined.data(), end, int64_t(joined.size()));
                if (found >= 0)
                    return base - carried + found;
                nextEnd = base + (end - carried);
            }
            stitch.PassedAfter(span);
        }
        if (nextEnd < base + size) {
            int64_t end = nextEnd - base;
            const int64_t found = ScanRunForward<Fold>(span.data(), end, size);
            if (found >= 0)
                return base + found;
            nextEnd = base + end;
        }
    }
    return -1;
}

// ---------------------------------------------------------------- backward

int64_t CByteSearch::FindBackward(const CBufferPos& from, int64_t lowerBound) const
{
    problem_ = {};
    if (!from.Buffer())
        return -1;
    return Backward(*from.Buffer(), from.Offset(), lowerBound);
}

int64_t CByteSearch::FindBackward(CFileBuffer& buffer, int64_t start, int64_t lowerBound) const
{
    problem_ = {};
    if (start < 0 || start > buffer.Size())
        return -1;
    return Backward(buffer, start, lowerBound);
}

int64_t CByteSearch::Backward(const CFileBuffer& buffer, int64_t start, int64_t lowerBound) const
{
    const auto n = int64_t(pattern_.size());
    lowerBound = std::max<int64_t>(lowerBound, 0);
    if (n == 0 || start - n < lowerBound)
        return -1;
    return matchCase_ ? ScanBackward<false>(buffer, start, lowerBound)
                      : ScanBackward<true>(buffer, start, lowerBound);
}

// As forward, mirrored: the windows that start in a span's last n - 1 bytes
// reach into later spans and go through the stitch.
template <bool Fold>
int64_t CByteSearch::ScanBackward(const CFileBuffer& buffer, int64_t start, int64_t lowerBound) const
{
    const auto keep = int64_t(pattern_.size()) - 1;
    CSpanReader reader(buffer, start);
    SpanStitch stitch(keep);
    int64_t nextStart = start - (keep + 1);  // the start of the first window not yet tried
    while (nextStart >= lowerBound) {
        const int64_t end = reader.Offset();
        const std::span<const uint8_t> span = reader.Previous(end - lowerBound);
        if (span.empty()) {
            problem_ = reader.Problem();
            return -1;
        }
        const auto size = int64_t(span.size());
        const int64_t base = end - size;
        if (keep > 0) {
            const int64_t joinedBase = end - std::min(keep, size);
            const std::span<const uint8_t> joined = stitch.JoinBefore(span);
            if (nextStart >= joinedBase) {
                int64_t at = nextStart - joinedBase;
                const int64_t found =
                    ScanRunBackward<Fold>(joined.data(), at, std::max<int64_t>(0, lowerBound - joinedBase));
                if (found >= 0)
                    return joinedBase + found;
                nextStart = joinedBase + at;
            }
            stitch.PassedBefore(span);
        }
        if (nextStart >= base) {
            int64_t at = nextStart - base;
            const int64_t found = ScanRunBackward<Fold>(span.data(), at, std::max<int64_t>(0, lowerBound - base));
            if (found >= 0)
                return base + found;
            nextStart = base + at;
        }
    }
    return -1;
}

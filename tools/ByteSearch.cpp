#include "ByteSearch.h"

#include "core/FileBuffer.h"

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

// Windows that lie wholly inside one chunk are screened 32 at a time on
// their first and last bytes, which leaves few candidates for the full
// comparison. This is what lets a search keep up with a plain memmem() over
// contiguous memory; windows that cross a chunk boundary, and the few at a
// chunk's end, go through the skip table instead.
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

// ---------------------------------------------------------------- forward

int32_t CByteSearch::FindForward(const CBufferPos& from, int32_t bound) const
{
    const CFileBuffer* buffer = from.Buffer();
    const auto n = int32_t(pattern_.size());
    if (!buffer || n == 0)
        return -1;
    bound = std::min(bound, buffer->Size());
    const int32_t start = from.Offset();
    if (int64_t(start) + n > bound)
        return -1;
    // The first window ends n - 1 bytes after the start.
    const CBufferChunk* chunk = from.Chunk();
    int64_t index = int64_t(from.OffsetInChunk()) + (n - 1);
    while (index >= chunk->length) {
        index -= chunk->length;
        chunk = chunk->next;
    }
    const int32_t windowEnd = start + (n - 1);
    return matchCase_ ? ScanForward<false>(chunk, int32_t(index), windowEnd, bound)
                      : ScanForward<true>(chunk, int32_t(index), windowEnd, bound);
}

// index is the window end's place in chunk; windowEnd its offset in the file.
// The window end always stays below bound, so chunk->next exists when needed.
template <bool Fold>
int32_t CByteSearch::ScanForward(const CBufferChunk* chunk, int32_t index, int32_t windowEnd, int32_t bound) const
{
    const auto n = int32_t(folded_.size());
    const uint8_t* pattern = folded_.data();
    const uint8_t* first = forwardFirst_.data();
    const EdgeFilter filter(pattern[0], pattern[n - 1], Fold);
    int64_t chunkBase = int64_t(windowEnd) - index;  // file offset of chunk's first byte
    int64_t i = index;
    for (;;) {
        const uint8_t* data = chunk->Data();
        const int64_t limit = std::min<int64_t>(chunk->length, bound - chunkBase);
        // Window ends from i up to (not including) stop are tried through the
        // skip table; the first pass covers the windows that start in an
        // earlier chunk, the second the few left after the filtered blocks.
        for (int pass = 0; pass < 2; ++pass) {
            const int64_t stop = pass == 0 ? std::min<int64_t>(limit, n - 1) : limit;
            while (i < stop) {
                // The common case: the window's last byte differs, skip at once.
                const uint8_t shift = first[data[i]];
                if (shift != 0) {
                    i += shift;
                    continue;
                }
                // The last byte matched; compare the rest from the end toward the start.
                int32_t k = n - 2;
                uint8_t mismatched = 0;
                if (i >= n - 1) {
                    const uint8_t* window = data + (i - (n - 1));
                    while (k >= 0 && Same<Fold>(window[k], pattern[k]))
                        --k;
                    if (k >= 0)
                        mismatched = window[k];
                } else {
                    // The window starts in an earlier chunk.
                    const CBufferChunk* at = chunk;
                    int64_t j = i - 1;
                    for (; k >= 0; --k, --j) {
                        while (j < 0) {
                            at = at->prev;
                            j += at->length;
                        }
                        if (!Same<Fold>(at->Data()[j], pattern[k])) {
                            mismatched = at->Data()[j];
                            break;
                        }
                    }
                }
                if (k < 0)
                    return int32_t(chunkBase + i - (n - 1));
                // Align the mismatched byte with its last occurrence in the
                // pattern, or move the window one past it: measured from the
                // mismatched byte, so no match is ever stepped over.
                i += -(n - 1 - k) + std::max<int32_t>(n - k, forwardSkip_[mismatched]);
            }
            if (pass == 0 && i < limit) {
                // Windows wholly inside this chunk, by their starts.
                int64_t start = i - (n - 1);
                const int64_t startStop = limit - (n - 1);
                for (; start + kBlock <= startStop; start += kBlock) {
                    for (uint32_t mask = filter.Candidates(data + start, data + start + (n - 1)); mask != 0;
                         mask &= mask - 1) {
                        const int64_t candidate = start + __builtin_ctz(mask);
                        if (InnerMatches<Fold>(data + candidate, pattern, n))
                            return int32_t(chunkBase + candidate);
                    }
                }
                i = start + (n - 1);
            }
        }
        if (chunkBase + i >= bound)
            return -1;
        while (i >= chunk->length) {
            i -= chunk->length;
            chunkBase += chunk->length;
            chunk = chunk->next;
        }
    }
}

// ---------------------------------------------------------------- backward

int32_t CByteSearch::FindBackward(const CBufferPos& from, int32_t lowerBound) const
{
    const CFileBuffer* buffer = from.Buffer();
    const auto n = int32_t(pattern_.size());
    if (!buffer || n == 0)
        return -1;
    lowerBound = std::max(lowerBound, 0);
    const int32_t start = from.Offset();
    if (int64_t(start) - n < lowerBound)
        return -1;
    // The first window starts n bytes before the start.
    const CBufferChunk* chunk = from.Chunk();
    int64_t index = int64_t(from.OffsetInChunk()) - n;
    while (index < 0) {
        chunk = chunk->prev;
        index += chunk->length;
    }
    const int32_t windowStart = start - n;
    return matchCase_ ? ScanBackward<false>(chunk, int32_t(index), windowStart, lowerBound)
                      : ScanBackward<true>(chunk, int32_t(index), windowStart, lowerBound);
}

// index is the window start's place in chunk; windowStart its offset in the
// file. Every window lies wholly inside the file, so chunk->next exists while
// a window is compared and chunk->prev while the start stays at or above lowerBound.
template <bool Fold>
int32_t CByteSearch::ScanBackward(const CBufferChunk* chunk, int32_t index, int32_t windowStart,
                                  int32_t lowerBound) const
{
    const auto n = int32_t(folded_.size());
    const uint8_t* pattern = folded_.data();
    const uint8_t* first = backwardFirst_.data();
    const EdgeFilter filter(pattern[0], pattern[n - 1], Fold);
    int64_t chunkBase = int64_t(windowStart) - index;
    int64_t i = index;
    for (;;) {
        const uint8_t* data = chunk->Data();
        const int64_t low = std::max<int64_t>(0, lowerBound - chunkBase);
        // As forward, mirrored: first the windows that end in a later chunk,
        // then filtered blocks of windows inside the chunk, then the rest.
        for (int pass = 0; pass < 2; ++pass) {
            const int64_t stop = pass == 0 ? std::max<int64_t>(low, chunk->length - n + 1) : low;
            while (i >= stop) {
                const uint8_t shift = first[data[i]];
                if (shift != 0) {
                    i -= shift;
                    continue;
                }
                // The first byte matched; compare the rest from the start toward the end.
                int32_t k = 1;
                uint8_t mismatched = 0;
                if (i + n <= chunk->length) {
                    const uint8_t* window = data + i;
                    while (k < n && Same<Fold>(window[k], pattern[k]))
                        ++k;
                    if (k < n)
                        mismatched = window[k];
                } else {
                    // The window ends in a later chunk.
                    const CBufferChunk* at = chunk;
                    int64_t j = i + 1;
                    for (; k < n; ++k, ++j) {
                        while (j >= at->length) {
                            j -= at->length;
                            at = at->next;
                        }
                        if (!Same<Fold>(at->Data()[j], pattern[k])) {
                            mismatched = at->Data()[j];
                            break;
                        }
                    }
                }
                if (k == n)
                    return int32_t(chunkBase + i);
                i += k - std::max<int32_t>(k + 1, backwardSkip_[mismatched]);
            }
            if (pass == 0 && i >= low) {
                // Blocks of window starts [i - 31, i], highest first.
                for (; i - (kBlock - 1) >= low; i -= kBlock) {
                    const int64_t blockStart = i - (kBlock - 1);
                    for (uint32_t mask = filter.Candidates(data + blockStart, data + blockStart + (n - 1));
                         mask != 0; mask &= ~(uint32_t(1) << (31 - __builtin_clz(mask)))) {
                        const int64_t candidate = blockStart + (31 - __builtin_clz(mask));
                        if (InnerMatches<Fold>(data + candidate, pattern, n))
                            return int32_t(chunkBase + candidate);
                    }
                }
            }
        }
        if (chunkBase + i < lowerBound)
            return -1;
        while (i < 0) {
            chunk = chunk->prev;
            i += chunk->length;
            chunkBase -= chunk->length;
        }
    }
}

// ---------------------------------------------------------------- by offsets

int32_t CByteSearch::FindForward(CFileBuffer& buffer, int32_t start, int32_t bound) const
{
    if (start < 0 || start > buffer.Size())
        return -1;
    CBufferPos from;
    from.Bind(&buffer, false, start);
    return FindForward(from, bound);
}

int32_t CByteSearch::FindBackward(CFileBuffer& buffer, int32_t start, int32_t lowerBound) const
{
    if (start < 0 || start > buffer.Size())
        return -1;
    CBufferPos from;
    from.Bind(&buffer, false, start);
    return FindBackward(from, lowerBound);
}

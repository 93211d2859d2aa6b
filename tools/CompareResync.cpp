#include "CompareResync.h"

#include "core/BufferPos.h"
#include "core/FileBuffer.h"
#include "core/SpanReader.h"
#include "tools/RollingWindow.h"
#include "tools/SampledWindowTable.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <new>
#include <optional>
#include <tuple>
#include <vector>

namespace {

// Look-ups run this many steps behind the hash that names their slot, so
// that the slot is fetched from memory while earlier steps are worked on.
constexpr int64_t PREFETCH_STEPS = 16;
// Steps between two looks at the clock, which decides when Esc is polled
// and the readers are checked. A step costs a few look-ups, so the clock is
// read every few microseconds.
constexpr int64_t CLOCK_STEPS = 256;
// Esc is polled this often whatever the steps cost: asking for the key
// processes the window system's events, too slow to do at every step.
constexpr auto ESC_INTERVAL = std::chrono::milliseconds(20);
// Windows of up to this length are all indexed; longer ones are sampled,
// keeping sampled windows at least this long so that hash hits stay rare.
constexpr int64_t FULL_INDEX_LENGTH = 8;

using Clock = std::chrono::steady_clock;

// Which windows are indexed: those of sampleLength bytes starting every
// stride bytes from the cursor. Any window of length bytes holds the start
// of one of them, whole: sampleLength = length - stride + 1.
struct Sampling {
    int64_t length;
    int64_t stride;
    int64_t sampleLength;
};

Sampling SamplingFor(int64_t length)
{
    const int64_t stride = length <= FULL_INDEX_LENGTH ? 1 : std::min(length / 2, length - FULL_INDEX_LENGTH + 1);
    return {length, stride, length - stride + 1};
}

// Two equal windows of the match length, offsets relative to the cursors,
// ordered as the lockstep of the two files one byte at a time meets them:
// first by the later of the two offsets (the step); at one step file 1
// looks up before file 2 (file 1 ahead); then by the offset it finds, the
// earliest window equal to the one looking up.
struct Candidate {
    int64_t offset1;
    int64_t offset2;

    int64_t Step() const { return std::max(offset1, offset2); }
    auto Key() const
    {
        const bool firstAhead = offset1 > offset2;
        return std::make_tuple(Step(), firstAhead ? 0 : 1, firstAhead ? offset2 : offset1);
    }
};

// Esc pressed, thrown from wherever the scan looked: a step or a table's growth.
struct EscPressed {};

// Looks at Esc when first asked, then whenever ESC_INTERVAL has passed.
class EscWatch {
public:
    explicit EscWatch(const EscapePoller& escapePressed) : escapePressed_(escapePressed), nextLook_(Clock::now()) {}

    // Throws EscPressed.
    void Check()
    {
        const Clock::time_point now = Clock::now();
        if (now < nextLook_)
            return;
        nextLook_ = now + ESC_INTERVAL;
        if (escapePressed_ && escapePressed_())
            throw EscPressed{};
    }

private:
    const EscapePoller& escapePressed_;
    Clock::time_point nextLook_;
};

// Tells step after step whether it falls on the stride, without a division
// at every step.
class StrideCounter {
public:
    StrideCounter(int64_t first, int64_t stride) : next_(first), stride_(stride) {}
    bool At(int64_t step)
    {
        if (step != next_)
            return false;
        next_ += stride_;
        return true;
    }

private:
    int64_t next_;
    int64_t stride_;
};

// One file seen from its cursor: the rolling sampled window running
// PREFETCH_STEPS ahead of the step being worked on, the table of its
// stride windows, and a reader for the comparisons of bytes already passed.
class FileSide {
public:
    FileSide(const CBufferPos& cursor, const Sampling& sampling, TableBudget& budget, EscWatch& esc)
        : buffer_(*cursor.Buffer()), start_(cursor.Offset()), remaining_(buffer_.Size() - start_),
          samples_(std::max<int64_t>(0, remaining_ - sampling.sampleLength + 1)),
          window_(buffer_, start_, sampling.sampleLength), look_(buffer_, start_, CSpanReader::Access::Random),
          table_(budget, [&esc] { esc.Check(); })
    {
        for (uint64_t& hash : ahead_) {
            hash = window_.Hash();
            window_.Advance();
        }
    }

    int64_t Start() const { return start_; }
    int64_t Remaining() const { return remaining_; }
    // Whether a sampled window starts at this step.
    bool HasSample(int64_t step) const { return step < samples_; }
    int64_t Samples() const { return samples_; }
    SampledWindowTable& Table() { return table_; }

    // The hash of the sampled window at step, the next one after the last
    // taken; the slots of a later one are fetched in the other table and,
    // on a stride, in its own.
    uint64_t TakeHash(int64_t step, const SampledWindowTable& other, bool laterOnStride)
    {
        uint64_t& slot = ahead_[size_t(step % PREFETCH_STEPS)];
        const uint64_t hash = slot;
        slot = window_.Hash();
        other.Prefetch(slot);
        if (laterOnStride)
            table_.Prefetch(slot);
        window_.Advance();
        return hash;
    }

    // The bytes from..to (relative), fewer at the end of the file or when
    // they cannot be read.
    const std::vector<uint8_t>& Read(int64_t from, int64_t to, std::vector<uint8_t>& into)
    {
        into.resize(size_t(to - from));
        into.resize(size_t(look_.ReadAt(start_ + from, into.data(), to - from)));
        return into;
    }

    const CoreProblem& Problem() const { return window_.Problem() ? window_.Problem() : look_.Problem(); }

private:
    const CFileBuffer& buffer_;
    int64_t start_;
    int64_t remaining_;
    int64_t samples_;
    RollingWindow window_;
    CSpanReader look_;
    SampledWindowTable table_;
    std::array<uint64_t, PREFETCH_STEPS> ahead_ = {};
};

// The lockstep over both files, one step after another, keeping the best
// candidate met so far.
class ResyncScan {
public:
    ResyncScan(const CBufferPos& cursor1, const CBufferPos& cursor2, const Sampling& sampling, TableBudget& budget,
               EscWatch& esc)
        : sampling_(sampling),
          sides_{FileSide(cursor1, sampling, budget, esc), FileSide(cursor2, sampling, budget, esc)},
          strides_(0, sampling.stride),
          laterStrides_((PREFETCH_STEPS + sampling.stride - 1) / sampling.stride * sampling.stride, sampling.stride)
    {
    }

    // Runs the step and tells whether a later step can still change the
    // answer: a candidate at step c is beaten only by one met by step
    // c + stride - 1, when the strides of both its windows have been passed.
    bool Step(int64_t step)
    {
        if (best_ && step > best_->Step() + sampling_.stride - 1)
            return false;
        const bool onStride = strides_.At(step);
        const bool laterOnStride = laterStrides_.At(step + PREFETCH_STEPS);
        std::array<std::optional<uint64_t>, 2> hashes;
        for (size_t i = 0; i < 2; ++i)
            if (sides_[i].HasSample(step))
                hashes[i] = sides_[i].TakeHash(step, sides_[1 - i].Table(), laterOnStride);
        if (!hashes[0] && !hashes[1])
            return false;
        for (size_t i = 0; i < 2; ++i)
            if (hashes[i] && onStride)
                Store(i, step, *hashes[i]);
        for (size_t i = 0; i < 2; ++i)
            if (hashes[i])
                LookUp(i, step, *hashes[i]);
        return true;
    }

    const std::optional<Candidate>& Best() const { return best_; }

    // The first problem any reader met, or none.
    CoreProblem Problem() const
    {
        for (const FileSide& side : sides_)
            if (side.Problem())
                return side.Problem();
        return {};
    }

private:
    // A stride window is left out when its context, every byte of the
    // windows of the match length whose first stride it is, equals that of
    // one already stored: each of those windows then equals one earlier in
    // the same file, which meets any partner no later and is found first.
    // Runs of one byte or of a short pattern so keep a handful of entries.
    void Store(size_t i, int64_t step, uint64_t hash)
    {
        bool repeated = false;
        if (HasContext(i, step))
            sides_[i].Table().ForEach(hash, [&](int64_t stored) {
                repeated = HasContext(i, stored) && SameContext(i, stored, step);
                return repeated;
            });
        if (!repeated)
            sides_[i].Table().Add(hash, step);
    }

    bool HasContext(size_t i, int64_t at) const
    {
        return at >= sampling_.stride - 1 && at + sampling_.length <= sides_[i].Remaining();
    }

    bool SameContext(size_t i, int64_t earlier, int64_t at)
    {
        const int64_t before = sampling_.stride - 1;
        const auto& a = sides_[i].Read(earlier - before, earlier + sampling_.length, bytes_[0]);
        const auto& b = sides_[i].Read(at - before, at + sampling_.length, bytes_[1]);
        return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
    }

    void LookUp(size_t i, int64_t step, uint64_t hash)
    {
        sides_[1 - i].Table().ForEach(hash, [&](int64_t stored) {
            if (i == 0)
                TryPair(step, stored);
            else
                TryPair(stored, step);
            return false;
        });
    }

    // The sampled windows at at1 and at2 may be equal: on their diagonal,
    // the earliest window of the match length that holds them and lies in
    // both files is a candidate. Going back a stride is enough: the stride
    // window of any common window starts less than a stride into it.
    void TryPair(int64_t at1, int64_t at2)
    {
        const int64_t back = std::min({sampling_.stride - 1, at1, at2});
        const auto& a = sides_[0].Read(at1 - back, std::min(at1 + sampling_.length, sides_[0].Remaining()), bytes_[0]);
        const auto& b = sides_[1].Read(at2 - back, std::min(at2 + sampling_.length, sides_[1].Remaining()), bytes_[1]);
        int64_t same = 0;
        while (same < back && a[size_t(back - 1 - same)] == b[size_t(back - 1 - same)])
            ++same;
        const Candidate candidate{at1 - same, at2 - same};
        const int64_t from = back - same;
        if (int64_t(a.size()) < from + sampling_.length || int64_t(b.size()) < from + sampling_.length)
            return;
        if (std::memcmp(a.data() + back, b.data() + back, size_t(sampling_.length - same)) != 0)
            return;
        if (!best_ || candidate.Key() < best_->Key())
            best_ = candidate;
    }

    Sampling sampling_;
    std::array<FileSide, 2> sides_;
    std::optional<Candidate> best_;
    StrideCounter strides_;
    // Over the steps whose slots are being fetched.
    StrideCounter laterStrides_;
    std::array<std::vector<uint8_t>, 2> bytes_;
};

// Runs the scan to its end, or until a failed read stops it at step; Esc
// is thrown as EscPressed. The first look at Esc comes at the first check
// of the clock: a comparison made of many short differences still notices it.
ResyncResult RunScan(ResyncScan& scan, EscWatch& esc, int64_t& step)
{
    for (step = 0; scan.Step(step); ++step) {
        if (step % CLOCK_STEPS != CLOCK_STEPS - 1)
            continue;
        if (scan.Problem())
            return ResyncResult::ReadFailed;
        esc.Check();
    }
    // A failed read hands out zero bytes, so a result reached since is not trusted.
    if (scan.Problem())
        return ResyncResult::ReadFailed;
    return scan.Best() ? ResyncResult::Matched : ResyncResult::NoMatch;
}

} // namespace

ResyncResult Resynchronise(CBufferPos& cursor1, CBufferPos& cursor2, int32_t minMatchLen,
                           const EscapePoller& escapePressed, TableBudget& budget, CoreProblem& problem)
{
    const int64_t remaining1 = cursor1.Buffer()->Size() - cursor1.Offset();
    const int64_t remaining2 = cursor2.Buffer()->Size() - cursor2.Offset();
    if (minMatchLen < 1 || remaining1 < minMatchLen || remaining2 < minMatchLen)
        return ResyncResult::NoMatch;
    EscWatch esc(escapePressed);
    int64_t step = 0;
    auto leaveCursors = [&] {
        cursor1.Seek(cursor1.Offset() + std::min(step, remaining1));
        cursor2.Seek(cursor2.Offset() + std::min(step, remaining2));
    };
    try {
        ResyncScan scan(cursor1, cursor2, SamplingFor(minMatchLen), budget, esc);
        const ResyncResult result = RunScan(scan, esc, step);
        if (result == ResyncResult::ReadFailed)
            problem = scan.Problem();
        if (result != ResyncResult::Matched) {
            leaveCursors();
            return result;
        }
        cursor1.Seek(cursor1.Offset() + scan.Best()->offset1);
        cursor2.Seek(cursor2.Offset() + scan.Best()->offset2);
        return ResyncResult::Matched;
    } catch (const EscPressed&) {
        leaveCursors();
        return ResyncResult::Cancelled;
    } catch (const std::bad_alloc&) {
        return ResyncResult::OutOfMemory;
    }
}

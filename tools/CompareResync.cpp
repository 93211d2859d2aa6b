#include "CompareResync.h"

#include "core/BufferPos.h"
#include "core/FileBuffer.h"
#include "tools/ByteStream.h"
#include "tools/SameBytes.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <vector>

namespace {

// Steps (windows looked up) between two looks at the Esc key.
constexpr int32_t ESC_STEP_INTERVAL = 16;

// A polynomial hash modulo 2^64 can be rolled one byte on in constant time,
// so a step costs the same whatever the window length. Collisions only cost
// a full comparison: every candidate is compared byte for byte.
constexpr uint64_t HASH_BASE = 0x100000001b3ULL;

constexpr std::array<uint32_t, 10> BUCKET_PRIMES = {101,   503,    1009,   5003,    10007,
                                                   50021, 100003, 500009, 1000003, 5000011};

// The next listed prime after current, at most limit.
uint32_t NextBucketCount(uint32_t current, uint32_t limit)
{
    for (uint32_t prime : BUCKET_PRIMES)
        if (prime > current)
            return std::min(prime, limit);
    return limit;
}

// Spreads the polynomial's weak low bits over the whole word before the
// bucket is taken modulo a prime.
uint64_t Mix(uint64_t h)
{
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

// One file's table of window offsets by hash. A bucket never holds two
// equal windows, so the order inside a bucket cannot change which offset a
// look-up finds; new nodes go in front. Everything it allocates is charged
// to the budget and given back as a whole when the table goes.
class WindowTable {
public:
    // The bucket array starts small and grows through the same list of
    // primes up to maxBuckets as the table fills: a short difference in a
    // large file then never pays for clearing millions of buckets.
    WindowTable(uint32_t maxBuckets, TableBudget& budget) : budget_(budget), maxBuckets_(maxBuckets)
    {
        SetBuckets(std::min(maxBuckets_, INITIAL_BUCKETS));
    }
    ~WindowTable() { budget_.used -= charged_; }
    WindowTable(const WindowTable&) = delete;
    WindowTable& operator=(const WindowTable&) = delete;

    // The offset of the stored window with this hash that equal() accepts, or -1.
    template <typename Equal>
    int32_t Find(uint64_t hash, Equal equal) const
    {
        for (int32_t n = heads_[Bucket(hash)]; n >= 0;) {
            const Node& node = NodeAt(n);
            if (node.hash == hash && equal(node.offset))
                return node.offset;
            n = node.next;
        }
        return -1;
    }

    // Throws std::bad_alloc when the budget or the heap is exhausted.
    void Add(uint64_t hash, int32_t offset)
    {
        if (size_t(count_) == blocks_.size() * BLOCK_NODES) {
            Charge(sizeof(Node) * BLOCK_NODES);
            blocks_.push_back(std::unique_ptr<Node[]>(new Node[BLOCK_NODES]));
        }
        const uint32_t bucket = Bucket(hash);
        NodeAt(count_) = Node{hash, offset, heads_[bucket]};
        heads_[bucket] = count_++;
        if (uint64_t(count_) > 2 * uint64_t(bucketCount_) && bucketCount_ < maxBuckets_)
            SetBuckets(NextBucketCount(bucketCount_, maxBuckets_));
    }

private:
    struct Node {
        uint64_t hash;
        int32_t offset;
        int32_t next;
    };
    static constexpr int BLOCK_SHIFT = 16;
    static constexpr size_t BLOCK_NODES = size_t(1) << BLOCK_SHIFT;

    static constexpr uint32_t INITIAL_BUCKETS = 1009;

    // A new bucket array with every node linked in again.
    void SetBuckets(uint32_t count)
    {
        const size_t bytes = sizeof(int32_t) * count;
        Charge(bytes);
        std::unique_ptr<int32_t[]> heads(new (std::nothrow) int32_t[count]);
        if (!heads)
            throw std::bad_alloc();
        std::fill_n(heads.get(), count, -1);
        const size_t oldBytes = sizeof(int32_t) * bucketCount_;
        heads_ = std::move(heads);
        bucketCount_ = count;
        for (int32_t n = 0; n < count_; ++n) {
            Node& node = NodeAt(n);
            const uint32_t bucket = Bucket(node.hash);
            node.next = heads_[bucket];
            heads_[bucket] = n;
        }
        budget_.used -= oldBytes;
        charged_ -= oldBytes;
    }

    uint32_t Bucket(uint64_t hash) const { return uint32_t(Mix(hash) % bucketCount_); }
    Node& NodeAt(int32_t n) const { return blocks_[size_t(n) >> BLOCK_SHIFT][size_t(n) & (BLOCK_NODES - 1)]; }

    void Charge(size_t bytes)
    {
        if (bytes > budget_.limit - std::min(budget_.used, budget_.limit))
            throw std::bad_alloc();
        budget_.used += bytes;
        charged_ += bytes;
        budget_.peak = std::max(budget_.peak, budget_.used);
    }

    TableBudget& budget_;
    uint32_t maxBuckets_;
    uint32_t bucketCount_ = 0;
    size_t charged_ = 0;
    std::unique_ptr<int32_t[]> heads_;
    std::vector<std::unique_ptr<Node[]>> blocks_;
    int32_t count_ = 0;
};

// The window of one file at its moving offset: its rolling hash and byte
// streams at its first byte and just past its end. While the current window
// is known to equal an earlier one of the same file, that offset is
// followed along, so runs of repeated bytes are not compared again window
// after window. Two readers of its own serve the byte-for-byte comparisons
// of windows already passed, which seek back to any offset.
class FileWindows {
public:
    FileWindows(const CBufferPos& cursor, int32_t length)
        : buffer_(*cursor.Buffer()), size_(buffer_.Size()), length_(length), offset_(cursor.Offset()),
          tail_(buffer_, offset_), head_(buffer_, offset_), repeatNext_(buffer_, offset_),
          look_(buffer_, offset_, CSpanReader::Access::Random), lookAgain_(buffer_, offset_, CSpanReader::Access::Random)
    {
        for (int32_t i = 1; i < length_; ++i)
            power_ *= HASH_BASE;
        if (HasWindow())
            for (int32_t i = 0; i < length_; ++i)
                hash_ = hash_ * HASH_BASE + head_.Next();
    }

    bool HasWindow() const { return size_ - offset_ >= length_; }
    int32_t Offset() const { return offset_; }
    uint64_t Hash() const { return hash_; }
    bool KnownRepeat() const { return repeatOf_ >= 0; }
    CSpanReader& Look() { return look_; }
    CSpanReader& LookAgain() { return lookAgain_; }

    // The first problem any of its readers met, or none.
    CoreProblem Problem() const
    {
        for (const CoreProblem* problem : {&tail_.Problem(), &head_.Problem(), &repeatNext_.Problem(),
                                           &look_.Problem(), &lookAgain_.Problem()})
            if (*problem)
                return *problem;
        return {};
    }

    // The current window equals the one at earlier.
    void RepeatsFrom(int32_t earlier)
    {
        repeatOf_ = earlier;
        repeatNext_.Seek(int64_t(earlier) + length_);
    }

    void Advance()
    {
        const uint8_t out = tail_.Next();
        ++offset_;
        if (!HasWindow())
            return;
        const uint8_t in = head_.Next();
        hash_ = (hash_ - out * power_) * HASH_BASE + in;
        if (repeatOf_ >= 0 && repeatNext_.Next() == in)
            ++repeatOf_;
        else
            repeatOf_ = -1;
    }

private:
    const CFileBuffer& buffer_;
    int32_t size_;
    int32_t length_;
    int32_t offset_;
    uint64_t hash_ = 0;
    uint64_t power_ = 1;  // HASH_BASE^(length - 1), the weight of the byte leaving
    ByteStream tail_;
    ByteStream head_;
    ByteStream repeatNext_;
    CSpanReader look_;
    CSpanReader lookAgain_;
    int32_t repeatOf_ = -1;
};

// Whether either file could not be read; problem then says why. A failed
// read hands out zero bytes, so a result reached since is not trusted.
bool Failed(const std::array<FileWindows, 2>& files, CoreProblem& problem)
{
    for (const FileWindows& file : files)
        if (CoreProblem found = file.Problem()) {
            problem = std::move(found);
            return true;
        }
    return false;
}

} // namespace

uint32_t ResyncBucketCount(int32_t remaining1, int32_t remaining2)
{
    const uint32_t larger = uint32_t(std::max({remaining1, remaining2, 0}));
    for (uint32_t prime : BUCKET_PRIMES)
        if (prime > larger)
            return prime;
    return BUCKET_PRIMES.back();
}

ResyncResult Resynchronise(CBufferPos& cursor1, CBufferPos& cursor2, int32_t minMatchLen,
                           const EscapePoller& escapePressed, TableBudget& budget, CoreProblem& problem)
{
    const std::array<CBufferPos*, 2> cursors = {&cursor1, &cursor2};
    const int32_t remaining1 = cursor1.Buffer()->Size() - cursor1.Offset();
    const int32_t remaining2 = cursor2.Buffer()->Size() - cursor2.Offset();
    if (minMatchLen < 1 || remaining1 < minMatchLen || remaining2 < minMatchLen)
        return ResyncResult::NoMatch;
    const uint32_t buckets = ResyncBucketCount(remaining1, remaining2);
    try {
        std::array<FileWindows, 2> files = {FileWindows(cursor1, minMatchLen), FileWindows(cursor2, minMatchLen)};
        WindowTable table1(buckets, budget);
        WindowTable table2(buckets, budget);
        const std::array<WindowTable*, 2> tables = {&table1, &table2};
        auto leaveCursors = [&] {
            cursor1.Seek(files[0].Offset());
            cursor2.Seek(files[1].Offset());
        };

        int32_t steps = 0;
        for (bool advanced = true; advanced;) {
            advanced = false;
            for (int i = 0; i < 2; ++i) {
                FileWindows& self = files[size_t(i)];
                FileWindows& other = files[size_t(1 - i)];
                if (!self.HasWindow())
                    continue;
                const int32_t at = self.Offset();
                const int32_t match = tables[size_t(1 - i)]->Find(self.Hash(), [&](int32_t offset) {
                    return SameBytes(other.Look(), offset, self.Look(), at, minMatchLen);
                });
                if (match >= 0 && Failed(files, problem)) {
                    leaveCursors();
                    return ResyncResult::ReadFailed;
                }
                if (match >= 0) {
                    cursors[size_t(i)]->Seek(at);
                    cursors[size_t(1 - i)]->Seek(match);
                    return ResyncResult::Matched;
                }
                if (++steps % ESC_STEP_INTERVAL == 0 && escapePressed && escapePressed()) {
                    leaveCursors();
                    return ResyncResult::Cancelled;
                }
                if (!self.KnownRepeat()) {
                    WindowTable& own = *tables[size_t(i)];
                    const int32_t earlier = own.Find(self.Hash(), [&](int32_t offset) {
                        return SameBytes(self.Look(), offset, self.LookAgain(), at, minMatchLen);
                    });
                    if (earlier >= 0)
                        self.RepeatsFrom(earlier);
                    else
                        own.Add(self.Hash(), at);
                }
                self.Advance();
                advanced = true;
                if (steps % ESC_STEP_INTERVAL == 0 && Failed(files, problem)) {
                    leaveCursors();
                    return ResyncResult::ReadFailed;
                }
            }
        }
        leaveCursors();
        return Failed(files, problem) ? ResyncResult::ReadFailed : ResyncResult::NoMatch;
    } catch (const std::bad_alloc&) {
        return ResyncResult::OutOfMemory;
    }
}

// The resynchronisation's flat table against a plain multimap, and its
// charges to the budget against the rule it is built on: slots of 8 bytes,
// 256 at first, doubling when more than three quarters full, the old and
// new arrays charged together before the new one is allocated.
#include "tools/SampledWindowTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <new>
#include <optional>
#include <random>
#include <vector>

namespace {

std::vector<int64_t> Visited(const SampledWindowTable& table, uint64_t hash)
{
    std::vector<int64_t> offsets;
    table.ForEach(hash, [&](int64_t offset) {
        offsets.push_back(offset);
        return false;
    });
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}

// The entries a table accepts under limit before refusing one, with the
// slots it then holds; none when even the first array is over the limit.
struct Accepted {
    size_t count;
    size_t capacity;
    bool operator==(const Accepted&) const = default;
};

std::optional<Accepted> AcceptedUnder(size_t limit)
{
    size_t capacity = 256;
    if (8 * capacity > limit)
        return std::nullopt;
    for (size_t count = 0;; ++count) {
        if (4 * (count + 1) > 3 * capacity) {
            if (8 * capacity + 16 * capacity > limit)
                return Accepted{count, capacity};
            capacity *= 2;
        }
    }
}

} // namespace

TEST(SampledWindowTable, VisitsEveryOffsetStoredUnderAHashLikeAMultimap)
{
    struct Case {
        int distinctHashes;
        int adds;
    };
    // One hash for everything (a run of zeros), a few hashes with long runs
    // of equal slots, and mostly distinct hashes over many doublings.
    const std::vector<Case> cases = {{1, 1000}, {50, 5000}, {100000, 100000}};
    std::mt19937_64 random(17);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.distinctHashes) + " hashes, " + std::to_string(c.adds) + " adds");
        std::vector<uint64_t> hashes(size_t(c.distinctHashes));
        for (uint64_t& hash : hashes)
            hash = random();
        TableBudget budget;
        SampledWindowTable table(budget);
        std::map<uint64_t, std::vector<int64_t>> model;
        for (int64_t offset = 0; offset < c.adds; ++offset) {
            const uint64_t hash = hashes[random() % hashes.size()];
            table.Add(hash, offset);
            model[hash].push_back(offset);
        }
        EXPECT_EQ(table.Count(), size_t(c.adds));
        for (const auto& [hash, offsets] : model)
            ASSERT_EQ(Visited(table, hash), offsets);
        for (int absent = 0; absent < 1000; ++absent)
            EXPECT_TRUE(Visited(table, random()).empty());
    }
}

TEST(SampledWindowTable, VisitingStopsWhenTheVisitorSaysSo)
{
    TableBudget budget;
    SampledWindowTable table(budget);
    for (int64_t offset = 0; offset < 10; ++offset)
        table.Add(42, offset);
    int visits = 0;
    table.ForEach(42, [&](int64_t) { return ++visits == 3; });
    EXPECT_EQ(visits, 3);
}

TEST(SampledWindowTable, GrowingChargesTheBudgetBeforeAllocating)
{
    const std::vector<size_t> limits = {100, 2047, 2048, 6143, 6144, 12287, 12288, 100000, 1 << 20};
    for (size_t limit : limits) {
        SCOPED_TRACE("limit " + std::to_string(limit));
        TableBudget budget;
        budget.limit = limit;
        const std::optional<Accepted> expected = AcceptedUnder(limit);
        std::optional<Accepted> accepted;
        try {
            SampledWindowTable table(budget);
            for (int64_t offset = 0; !accepted; ++offset) {
                try {
                    table.Add(uint64_t(offset) * 0x9E3779B97F4A7C15ULL, offset);
                } catch (const std::bad_alloc&) {
                    // A refused growth keeps the charge of the array still held, no more.
                    accepted = Accepted{table.Count(), budget.used / 8};
                }
                ASSERT_LE(budget.used, limit);
            }
        } catch (const std::bad_alloc&) {
        }
        EXPECT_EQ(accepted, expected);
        EXPECT_LE(budget.peak, limit);
        // What the table held is given back when it goes.
        EXPECT_EQ(budget.used, 0u);
    }
}

// Offsets past a slot's 32 bits (a resynchronisation past 4 GiB) are kept
// whole beside the slots and visited with them, each charged to the budget;
// only a negative offset is refused.
TEST(SampledWindowTable, OffsetsPastThirtyTwoBitsAreKeptWholeAndCharged)
{
    const std::vector<std::pair<int64_t, bool>> cases = {{0, true},
                                                         {0xFFFFFFFEll, true},
                                                         {0xFFFFFFFFll, true},
                                                         {(int64_t(1) << 32) + 5, true},
                                                         {int64_t(1) << 40, true},
                                                         {INT64_MAX, true},
                                                         {-1, false}};
    for (const auto& [offset, fits] : cases) {
        TableBudget budget;
        SampledWindowTable table(budget);
        bool refused = false;
        try {
            table.Add(7, offset);
        } catch (const std::bad_alloc&) {
            refused = true;
        }
        EXPECT_EQ(refused, !fits) << offset;
        EXPECT_EQ(Visited(table, 7), fits ? std::vector<int64_t>{offset} : std::vector<int64_t>{}) << offset;
    }

    // Near and far offsets under one hash and under others, against a multimap.
    TableBudget budget;
    std::optional<SampledWindowTable> table(budget);
    const size_t slotsOnly = budget.used;
    std::map<uint64_t, std::vector<int64_t>> model;
    const int64_t far = int64_t(1) << 32;
    for (int64_t offset : {int64_t(3), far - 2, far - 1, far + 5, 5 * far, far + 9, int64_t(11)}) {
        const uint64_t hash = offset % 2 == 0 ? 42 : uint64_t(offset);
        table->Add(hash, offset);
        model[hash].push_back(offset);
    }
    EXPECT_EQ(table->Count(), 7u);
    for (auto& [hash, offsets] : model) {
        std::sort(offsets.begin(), offsets.end());
        EXPECT_EQ(Visited(*table, hash), offsets) << hash;
    }
    EXPECT_EQ(budget.used, slotsOnly + 4 * 64) << "four offsets from 2^32 - 1 on, 64 bytes each";
    table.reset();
    EXPECT_EQ(budget.used, 0u);

    // A far offset over the budget is refused, and the table stays as it was.
    TableBudget tight;
    tight.limit = 2048 + 63;
    SampledWindowTable small(tight);
    small.Add(1, 1);
    EXPECT_THROW(small.Add(1, far), std::bad_alloc);
    EXPECT_EQ(Visited(small, 1), std::vector<int64_t>{1});
    EXPECT_EQ(tight.used, 2048u);
}

// A growth past a megabyte pauses between megabytes; a pause that throws
// (Esc pressed) leaves the table, and the budget, as they were before it.
TEST(SampledWindowTable, AGrowthStoppedAtAPauseLeavesTheTableAsItWas)
{
    struct Stop {};
    // The growth to 2^18 slots (2 MiB) pauses once clearing, once placing again.
    for (int stopAt : {1, 2}) {
        SCOPED_TRACE("stop at pause " + std::to_string(stopAt));
        TableBudget budget;
        int pauses = 0;
        bool armed = false;
        SampledWindowTable table(budget, [&] {
            if (armed && ++pauses == stopAt)
                throw Stop{};
        });
        const int64_t full = 3 * (int64_t(1) << 17) / 4;
        for (int64_t offset = 0; offset < full; ++offset)
            table.Add(uint64_t(offset) % 1000, offset);
        const size_t used = budget.used;
        armed = true;
        EXPECT_THROW(table.Add(5, full), Stop);
        EXPECT_EQ(budget.used, used);
        EXPECT_EQ(table.Count(), size_t(full));
        std::vector<int64_t> fives;
        for (int64_t offset = 5; offset < full; offset += 1000)
            fives.push_back(offset);
        EXPECT_EQ(Visited(table, 5), fives);
        // Once the user lets it, the same growth goes through.
        armed = false;
        table.Add(5, full);
        fives.push_back(full);
        EXPECT_EQ(Visited(table, 5), fives);
        EXPECT_EQ(budget.used, (size_t(1) << 18) * 8);
    }
}

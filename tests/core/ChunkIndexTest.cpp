// The seek index on its own, against a plain list of chunk lengths: enough
// chunks for a tree of several levels, random insertions, removals,
// relocations and resizes, and allocation failures that must change nothing;
// with memory chunks only and with file extents among them.
#include "core/ChunkHeap.h"
#include "core/ChunkIndex.h"

#include <gtest/gtest.h>
#include <list>
#include <memory>
#include <random>
#include <vector>

namespace {

class ChunkIndexModel : public ::testing::TestWithParam<unsigned> {
protected:
    std::mt19937 rng{GetParam()};
    ChunkHeap heap;
    ChunkIndex index{heap};
    std::list<CBufferChunk> store;  // stable addresses for the chunk headers
    std::list<CFileExtent> extentStore;
    std::vector<CBufferChunk*> order;  // the list, as the model sees it
    int extentPercent = 0;  // how many of the chunks Make makes are extents

    int32_t Random(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(rng); }

    CBufferChunk* Make(int32_t length)
    {
        if (Random(0, 99) < extentPercent)
            return MakeExtent(RandomExtentLength());
        store.push_back(CBufferChunk{nullptr, nullptr, 0, uint16_t(length), MAX_CHUNK});
        return &store.back();
    }

    // Extents both shorter and longer than any memory chunk, some longer
    // than the 16 bits a leaf stores.
    int64_t RandomExtentLength() { return std::uniform_int_distribution<int64_t>(1, int64_t(1) << 20)(rng); }

    CBufferChunk* MakeExtent(int64_t length)
    {
        CFileExtent extent{};
        extent.length = 0;
        extent.capacity = EXTENT_CAPACITY;
        extent.extentLength = length;
        extentStore.push_back(extent);
        return &extentStore.back();
    }

    // Links the model's order as a list, as the buffer would.
    const CBufferChunk* Relink()
    {
        for (size_t i = 0; i < order.size(); ++i) {
            order[i]->prev = i > 0 ? order[i - 1] : nullptr;
            order[i]->next = i + 1 < order.size() ? order[i + 1] : nullptr;
        }
        return order.front();
    }

    int64_t Size() const
    {
        int64_t total = 0;
        for (const CBufferChunk* chunk : order)
            total += chunk->Size();
        return total;
    }

    void ExpectFindMatches(int64_t offset)
    {
        int64_t start = 0;
        size_t i = 0;
        while (i + 1 < order.size() && offset - start > order[i]->Size())
            start += order[i++]->Size();
        int64_t foundStart = -1;
        CBufferChunk* found = index.Find(offset, &foundStart);
        ASSERT_EQ(found, order[i]) << "offset " << offset;
        ASSERT_EQ(foundStart, start) << "offset " << offset;
    }

    void RandomChangesKeepTheIndexEqualToTheList();
};

void ChunkIndexModel::RandomChangesKeepTheIndexEqualToTheList()
{
    // Start with many chunks in order, as a load does (odd seeds) or by
    // appending one by one (even seeds); 6000 chunks give two inner levels.
    const bool bulk = GetParam() % 2 == 1;
    for (int i = 0; i < 6000; ++i) {
        CBufferChunk* chunk = Make(Random(1, MAX_CHUNK));
        ASSERT_TRUE(bulk ? index.LoadAppend(chunk) : index.Append(chunk));
        order.push_back(chunk);
    }
    if (bulk) {
        ASSERT_TRUE(index.FinishLoad());
    }
    std::string why;
    ASSERT_TRUE(index.Check(Relink(), Size(), &why)) << why;

    for (int step = 0; step < 20000; ++step) {
        const bool failing = Random(0, 19) == 0;
        if (failing)
            heap.FailAfter(0);
        const int op = Random(0, 9);
        const size_t at = size_t(Random(0, int32_t(order.size()) - 1));
        if (op < 4) {
            CBufferChunk* chunk = Make(Random(1, MAX_CHUNK));
            // Bursts of insertions after one chunk split the same leaf again and again.
            const int burst = op == 0 ? Random(1, 200) : 1;
            for (int b = 0; b < burst; ++b) {
                if (index.InsertAfter(order[at], chunk)) {
                    order.insert(order.begin() + std::ptrdiff_t(at) + 1, chunk);
                } else {
                    ASSERT_TRUE(failing) << "an insertion failed with memory to spare";
                }
                chunk = Make(Random(1, MAX_CHUNK));
            }
        } else if (op < 7 && order.size() > 1) {
            // Runs of removals empty whole leaves and inner nodes.
            const int run = op == 4 ? Random(1, 300) : 1;
            for (int r = 0; r < run && order.size() > 1 && at < order.size(); ++r) {
                index.Remove(order[at]);
                order.erase(order.begin() + std::ptrdiff_t(at));
            }
        } else if (op == 7) {
            CBufferChunk* moved = Make(Random(1, MAX_CHUNK));
            index.Replace(order[at], moved);
            order[at] = moved;
        } else {
            if (order[at]->IsExtent())
                AsExtent(order[at])->extentLength = RandomExtentLength();
            else
                order[at]->length = uint16_t(Random(1, MAX_CHUNK));
            index.Update(order[at]);
        }
        heap.FailAfter(-1);

        const int64_t size = Size();
        for (int probe = 0; probe < 4; ++probe)
            ExpectFindMatches(std::uniform_int_distribution<int64_t>(0, size)(rng));
        ExpectFindMatches(0);
        ExpectFindMatches(size);
        if (step % 97 == 0 || failing) {
            ASSERT_TRUE(index.Check(Relink(), size, &why)) << "step " << step << ": " << why;
        }
    }
    ASSERT_TRUE(index.Check(Relink(), Size(), &why)) << why;
}

TEST_P(ChunkIndexModel, RandomChangesKeepTheIndexEqualToTheList) { RandomChangesKeepTheIndexEqualToTheList(); }

TEST_P(ChunkIndexModel, RandomChangesWithExtentsKeepTheIndexEqualToTheList)
{
    extentPercent = 10;
    RandomChangesKeepTheIndexEqualToTheList();
}

// Lookups read leaves without looking for extents while the index lists
// none: extents leaving by removal, by replacement and by a reload, and
// coming back, must each switch lookups over at the right moment.
TEST_P(ChunkIndexModel, LookupsFollowExtentsComingAndGoing)
{
    for (int i = 0; i < 3000; ++i) {
        order.push_back(i % 50 == 7 ? MakeExtent(RandomExtentLength()) : Make(Random(1, MAX_CHUNK)));
        ASSERT_TRUE(index.LoadAppend(order.back()));
    }
    ASSERT_TRUE(index.FinishLoad());
    std::string why;
    auto expectAllFound = [&] {
        ASSERT_TRUE(index.Check(Relink(), Size(), &why)) << why;
        const int64_t size = Size();
        for (int probe = 0; probe < 300; ++probe)
            ExpectFindMatches(std::uniform_int_distribution<int64_t>(0, size)(rng));
        ExpectFindMatches(size);
    };
    expectAllFound();
    // Half the extents are removed, the other half replaced by memory chunks.
    bool remove = true;
    for (size_t i = 0; i < order.size(); ++i) {
        if (!order[i]->IsExtent())
            continue;
        if (remove) {
            index.Remove(order[i]);
            order.erase(order.begin() + std::ptrdiff_t(i--));
        } else {
            CBufferChunk* memory = Make(Random(1, MAX_CHUNK));
            index.Replace(order[i], memory);
            order[i] = memory;
        }
        remove = !remove;
        expectAllFound();
    }
    // One extent comes back, by replacement and then by insertion.
    const size_t at = size_t(Random(0, int32_t(order.size()) - 1));
    CBufferChunk* extent = MakeExtent(RandomExtentLength());
    index.Replace(order[at], extent);
    order[at] = extent;
    expectAllFound();
    index.Remove(extent);
    order.erase(order.begin() + std::ptrdiff_t(at));
    expectAllFound();
    extent = MakeExtent(RandomExtentLength());
    ASSERT_TRUE(index.InsertAfter(order[at / 2], extent));
    order.insert(order.begin() + std::ptrdiff_t(at / 2) + 1, extent);
    expectAllFound();
    // A reload of memory chunks only forgets the extents counted before.
    heap.Release();  // the nodes go with the heap, as in the buffer
    index.Forget();
    order.clear();
    for (int i = 0; i < 500; ++i) {
        order.push_back(Make(Random(1, MAX_CHUNK)));
        ASSERT_TRUE(index.LoadAppend(order.back()));
    }
    ASSERT_TRUE(index.FinishLoad());
    expectAllFound();
}

INSTANTIATE_TEST_SUITE_P(Seeds, ChunkIndexModel, ::testing::Values(1u, 2u, 3u, 4u));

TEST(ChunkIndexTest, CheckFindsAStaleCountAndAForeignOrder)
{
    ChunkHeap heap;
    ChunkIndex index{heap};
    std::vector<CBufferChunk> chunks(200, CBufferChunk{nullptr, nullptr, 0, 100, MAX_CHUNK});
    for (auto& chunk : chunks)
        ASSERT_TRUE(index.Append(&chunk));
    for (size_t i = 0; i < chunks.size(); ++i) {
        chunks[i].prev = i ? &chunks[i - 1] : nullptr;
        chunks[i].next = i + 1 < chunks.size() ? &chunks[i + 1] : nullptr;
    }
    std::string why;
    ASSERT_TRUE(index.Check(&chunks[0], 20000, &why)) << why;

    chunks[150].length = 7;  // changed without telling the index
    EXPECT_FALSE(index.Check(&chunks[0], 20000 - 93, &why));
    index.Update(&chunks[150]);
    EXPECT_TRUE(index.Check(&chunks[0], 20000 - 93, &why)) << why;

    std::swap(chunks[10].next, chunks[11].next);  // the list skips a chunk the index still holds
    EXPECT_FALSE(index.Check(&chunks[0], 20000 - 93, &why));
}

TEST(ChunkIndexTest, LoadingPacksLeavesFullSoTheIndexStaysSmall)
{
    ChunkHeap heap;
    ChunkIndex index{heap};
    constexpr int kChunks = 100000;
    std::unique_ptr<CBufferChunk[]> chunks(new CBufferChunk[kChunks]);
    for (int i = 0; i < kChunks; ++i) {
        chunks[i] = CBufferChunk{nullptr, nullptr, 0, MAX_CHUNK, MAX_CHUNK};
        ASSERT_TRUE(index.Append(&chunks[i]));
    }
    // At most one percent of the bytes the chunks hold.
    EXPECT_LE(index.MemoryBytes(), int64_t(kChunks) * MAX_CHUNK / 100);
}

// Random one-byte insertions split a chunk each, and land everywhere in a
// freshly loaded index whose leaves are all full: leaves must not be left
// half empty by them (as plain halving would), or the index outgrows one
// percent of the bytes.
TEST(ChunkIndexTest, SplitsAcrossAFullIndexKeepItWithinOnePercent)
{
    ChunkHeap heap;
    ChunkIndex index{heap};
    constexpr int kLoaded = 64 * 2000;
    std::list<CBufferChunk> store;
    std::vector<CBufferChunk*> order;
    for (int i = 0; i < kLoaded; ++i) {
        store.push_back(CBufferChunk{nullptr, nullptr, 0, MAX_CHUNK, MAX_CHUNK});
        order.push_back(&store.back());
        ASSERT_TRUE(index.LoadAppend(order.back()));
    }
    ASSERT_TRUE(index.FinishLoad());
    std::mt19937 rng(7);
    for (int split = 0; split < 6 * kLoaded / 64; ++split) {
        const size_t at = rng() % order.size();
        CBufferChunk* chunk = order[at];
        const auto head = uint16_t(1 + rng() % (chunk->length - 1));
        store.push_back(CBufferChunk{nullptr, nullptr, 0, uint16_t(chunk->length - head), MAX_CHUNK});
        chunk->length = head;
        index.Update(chunk);
        ASSERT_TRUE(index.InsertAfter(chunk, &store.back()));
        order.insert(order.begin() + std::ptrdiff_t(at) + 1, &store.back());
    }
    for (size_t i = 0; i < order.size(); ++i)
        order[i]->next = i + 1 < order.size() ? order[i + 1] : nullptr;
    const int64_t bytes = int64_t(kLoaded) * MAX_CHUNK;
    std::string why;
    ASSERT_TRUE(index.Check(order.front(), bytes, &why)) << why;
    EXPECT_LE(index.MemoryBytes(), bytes / 100) << "chunks " << order.size();
}

} // namespace

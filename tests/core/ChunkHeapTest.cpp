// The buffer's private heap against a plain model of live blocks: random
// allocations and frees of every size must hand out blocks that never
// overlap and keep what was written into them, and memory freed in one size
// must serve requests of other sizes before the heap asks the system for more.
#include "core/ChunkHeap.h"

#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <random>
#include <vector>

namespace {

struct LiveBlock {
    size_t bytes;
    uint8_t fill;
};

class ChunkHeapModel : public ::testing::TestWithParam<unsigned> {};

TEST_P(ChunkHeapModel, BlocksNeverOverlapAndKeepTheirBytes)
{
    std::mt19937 rng(GetParam());
    ChunkHeap heap;
    std::map<uint8_t*, LiveBlock> live;
    auto check = [&](uint8_t* block, const LiveBlock& info) {
        for (size_t i = 0; i < info.bytes; ++i)
            if (block[i] != info.fill)
                return false;
        return true;
    };
    for (int step = 0; step < 20000; ++step) {
        const bool allocate = live.empty() || rng() % 100 < 55;
        if (allocate) {
            // Chunk-like sizes, with the extremes well represented.
            size_t bytes = 1 + rng() % ChunkHeap::kLargestBlock;
            if (rng() % 8 == 0)
                bytes = rng() % 2 ? 1 : ChunkHeap::kLargestBlock;
            auto* block = static_cast<uint8_t*>(heap.Allocate(bytes));
            ASSERT_NE(block, nullptr);
            // Neighbours in address order must end before this block starts
            // and start after it ends.
            auto after = live.lower_bound(block);
            if (after != live.end()) {
                ASSERT_GE(after->first, block + bytes) << "step " << step;
            }
            if (after != live.begin()) {
                auto before = std::prev(after);
                ASSERT_LE(before->first + before->second.bytes, block) << "step " << step;
            }
            const auto fill = uint8_t(rng());
            std::memset(block, fill, bytes);
            live[block] = LiveBlock{bytes, fill};
        } else {
            auto it = live.begin();
            std::advance(it, rng() % live.size());
            ASSERT_TRUE(check(it->first, it->second)) << "a block changed under its owner at step " << step;
            heap.Free(it->first, it->second.bytes);
            live.erase(it);
        }
    }
    for (const auto& [block, info] : live)
        EXPECT_TRUE(check(block, info));
}

INSTANTIATE_TEST_SUITE_P(Seeds, ChunkHeapModel, ::testing::Values(1u, 2u, 3u));

// An insertion into a full chunk frees a block of one size and asks for two of
// others; over many such edits the heap must live on the freed blocks.
TEST(ChunkHeapTest, FreedBlocksServeOtherSizes)
{
    struct Case {
        const char* name;
        size_t freedBytes;
        std::vector<size_t> requested;  // asked for after each free
    };
    const std::vector<Case> cases = {
        {"two halves of a full chunk", 2072, {1048, 1024}},
        {"many small pieces", 2072, {40, 56, 200, 512, 1000}},
        {"index nodes from chunk blocks", 2072, {656, 1040}},
    };
    for (const Case& c : cases) {
        ChunkHeap heap;
        std::vector<void*> blocks;
        for (int i = 0; i < 4000; ++i)
            blocks.push_back(heap.Allocate(c.freedBytes));
        const size_t grown = heap.SlabBytes();
        for (void* block : blocks)
            heap.Free(block, c.freedBytes);
        size_t requestedTotal = 0;
        for (int i = 0; i < 4000; ++i) {
            for (size_t bytes : c.requested) {
                if (requestedTotal + bytes > size_t(4000) * c.freedBytes)
                    break;
                ASSERT_NE(heap.Allocate(bytes), nullptr) << c.name;
                requestedTotal += bytes;
            }
        }
        EXPECT_EQ(heap.SlabBytes(), grown) << c.name << ": asked the system for more while freed blocks would do";
    }
}

} // namespace

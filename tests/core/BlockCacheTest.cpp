// The block cache against a plain model of least-recently-used order: the
// same blocks are held, the bound holds, and every byte handed out is the
// file's own.
#include "TestFiles.h"

#include "core/BlockCache.h"
#include "platform/SourceFile.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <list>
#include <random>

TEST(BlockCache, FollowsLeastRecentlyUsedOrderWithinItsBound)
{
    QTemporaryDir dir;
    constexpr int32_t kBlock = 4096;
    constexpr int kCapacityBlocks = 8;
    const QByteArray bytes = RandomBytes(40 * kBlock + 123, 17);  // a short last block
    const QString path = dir.filePath("f.bin");
    WriteWholeFile(path, bytes);
    int error = 0;
    const auto source = platform::SourceFile::Open(path, &error);
    ASSERT_TRUE(source);

    CBlockCache cache(kCapacityBlocks * kBlock, kBlock);
    std::list<int64_t> model;  // block numbers, most recent first
    int64_t misses = 0;
    std::mt19937 rng(5);
    for (int step = 0; step < 3000; ++step) {
        // Mostly a small working set, now and then anywhere.
        const int64_t offset = rng() % 4 == 0 ? int64_t(rng() % bytes.size()) : int64_t(rng() % (6 * kBlock));
        int64_t available = 0;
        const uint8_t* got = cache.Get(*source, offset, &available, &error);
        ASSERT_TRUE(got) << "step " << step;
        const int64_t block = offset / kBlock;
        ASSERT_EQ(available, std::min<int64_t>((block + 1) * kBlock, bytes.size()) - offset);
        ASSERT_TRUE(std::equal(got, got + available, reinterpret_cast<const uint8_t*>(bytes.constData()) + offset));

        const auto it = std::find(model.begin(), model.end(), block);
        if (it == model.end()) {
            ++misses;
            if (model.size() == kCapacityBlocks)
                model.pop_back();
        } else {
            model.erase(it);
        }
        model.push_front(block);
        ASSERT_EQ(cache.Misses(), misses) << "step " << step;
        ASSERT_EQ(cache.HeldBytes(), int64_t(model.size()) * kBlock);
        std::string why;
        ASSERT_TRUE(cache.Check(&why)) << why;
    }
    EXPECT_EQ(cache.Hits() + cache.Misses(), 3000);

    int64_t available = 0;
    EXPECT_FALSE(cache.Get(*source, bytes.size(), &available, &error)) << "nothing at the end";
    EXPECT_EQ(error, 0);
    cache.SetCapacity(5 * kBlock);
    EXPECT_EQ(cache.HeldBytes(), 5 * kBlock);
    cache.Forget(*source);
    EXPECT_EQ(cache.HeldBytes(), 0);
}

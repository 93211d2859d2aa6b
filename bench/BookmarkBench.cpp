// Loading a bookmark collection file of 300,000 bookmarks into an empty
// collection. Descending starts are the hard order (each record belongs in
// front of every one read before it); ascending is the order this program
// writes, shown beside it for comparison.
#include "tools/BookmarkCollection.h"
#include "tools/BookmarkFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int kBookmarks = 300000;

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

// The file is made once per order and kept for the repetitions.
QString CollectionFile(bool descending)
{
    const QString path = Folder().filePath(descending ? "descending.bmk" : "ascending.bmk");
    if (QFile::exists(path))
        return path;
    std::vector<Bookmark> bookmarks;
    bookmarks.reserve(kBookmarks);
    for (int i = 0; i < kBookmarks; ++i) {
        const int32_t start = 16 * (descending ? kBookmarks - 1 - i : i);
        bookmarks.push_back({QStringLiteral("m%1").arg(i), start, start + 8});
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(EncodeBookmarks(bookmarks)) < 0)
        std::abort();
    return path;
}

void LoadCollection(benchmark::State& state, bool descending)
{
    const QString path = CollectionFile(descending);
    for (auto _ : state) {
        CBookmarkCollection bookmarks;
        if (!LoadBookmarkFile(bookmarks, path) || bookmarks.Count() != kBookmarks) {
            state.SkipWithError("the file did not load whole");
            return;
        }
        benchmark::DoNotOptimize(bookmarks.Items().data());
    }
    state.counters["bookmarks"] = kBookmarks;
    state.counters["file MB"] = double(QFile(path).size()) / 1e6;
}

void BM_LoadBookmarks_300k_Descending(benchmark::State& state) { LoadCollection(state, true); }
void BM_LoadBookmarks_300k_Ascending(benchmark::State& state) { LoadCollection(state, false); }

BENCHMARK(BM_LoadBookmarks_300k_Descending)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadBookmarks_300k_Ascending)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

// The file buffer on large files: loading against a plain read, seeking, and
// small edits whose cost must not depend on the file size.
#include "BenchFiles.h"

#include "core/AlignedPos.h"
#include "core/FileBuffer.h"
#include "core/SelectionPos.h"

#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <memory>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;
constexpr int64_t kMiB = int64_t(1) << 20;
// The largest file the buffer takes.
constexpr int64_t kLargest = 2147483647;

// Memory the seek index takes, where the buffer has one.
template <typename Buffer>
double IndexMiB(const Buffer& buffer)
{
    if constexpr (requires { buffer.IndexBytes(); })
        return double(buffer.IndexBytes()) / double(kMiB);
    else
        return 0;
}

int64_t ReadAll(int fd, uint8_t* into, int64_t size)
{
    int64_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, into + done, size_t(std::min<int64_t>(size - done, 1 << 30)));
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

void BM_ReadIntoVector(benchmark::State& state)
{
    const QString path = BenchFile(kGiB);
    for (auto _ : state) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        std::vector<uint8_t> bytes(static_cast<size_t>(kGiB));
        benchmark::DoNotOptimize(ReadAll(fd, bytes.data(), kGiB));
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * kGiB);
}
BENCHMARK(BM_ReadIntoVector)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same read without the vector's zero-filling: the stricter reference.
void BM_ReadIntoRawArray(benchmark::State& state)
{
    const QString path = BenchFile(kGiB);
    for (auto _ : state) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        std::unique_ptr<uint8_t[]> bytes(new uint8_t[size_t(kGiB)]);
        benchmark::DoNotOptimize(ReadAll(fd, bytes.get(), kGiB));
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * kGiB);
}
BENCHMARK(BM_ReadIntoRawArray)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_LoadIntoBuffer(benchmark::State& state)
{
    const int64_t size = state.range(0);
    const QString path = BenchFile(size);
    double indexMiB = 0;
    for (auto _ : state) {
        CFileBuffer buffer;
        benchmark::DoNotOptimize(buffer.LoadFromFile(path));
        indexMiB = IndexMiB(buffer);
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["index_MiB"] = indexMiB;
    state.counters["index_percent_of_file"] = indexMiB * double(kMiB) * 100 / double(size);
}
BENCHMARK(BM_LoadIntoBuffer)->Arg(kGiB)->Arg(kLargest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

struct Timings {
    std::vector<double> ns;
    double Median()
    {
        std::sort(ns.begin(), ns.end());
        return ns.empty() ? 0 : ns[ns.size() / 2];
    }
    double Percentile(double p)
    {
        std::sort(ns.begin(), ns.end());
        return ns.empty() ? 0 : ns[std::min(ns.size() - 1, size_t(double(ns.size()) * p))];
    }
};

template <typename Work>
double TimeNs(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return double(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count());
}

Timings RandomSeeks(CFileBuffer& buffer, int count, unsigned seed)
{
    std::mt19937 rng(seed);
    CBufferPos cursor;
    cursor.Bind(&buffer, false, 0);
    Timings t;
    for (int i = 0; i < count; ++i) {
        const auto target = int32_t(rng() % uint32_t(buffer.Size() + 1));
        t.ns.push_back(TimeNs([&] { benchmark::DoNotOptimize(cursor.Seek(target)); }));
    }
    return t;
}

// One-byte inserts and deletes at random offsets, timing only the edit (the
// cursor is placed first), with a caret and a top-of-window position
// registered. The offsets are visited in ascending order so that placing the
// cursor costs one pass over the file in all, not a walk per edit.
Timings RandomEdits(CFileBuffer& buffer, int count, unsigned seed, Timings* withSeek = nullptr,
                    Timings* inserts = nullptr, Timings* deletes = nullptr)
{
    std::mt19937 rng(seed);
    std::vector<int32_t> targets(static_cast<size_t>(count));
    for (auto& target : targets)
        target = int32_t(rng() % uint32_t(buffer.Size() - count));
    std::sort(targets.begin(), targets.end());
    CSelectionPos caret;
    CAlignedPos top;
    top.unit = 16;
    caret.Bind(&buffer, true, buffer.Size() / 2);
    top.Bind(&buffer, true, buffer.Size() / 3 / 16 * 16);
    CBufferPos editor;
    editor.Bind(&buffer, false, 0);
    Timings t;
    const uint8_t byte = 0x5A;
    for (int i = 0; i < count; ++i) {
        const int32_t target = targets[size_t(i)];
        const double seekNs = TimeNs([&] { editor.Seek(target); });
        const double editNs = (i & 1) ? TimeNs([&] { editor.Delete(1); }) : TimeNs([&] {
            editor.Insert(1);
            editor.Write(&byte, 1);
        });
        t.ns.push_back(editNs);
        if (Timings* kind = (i & 1) ? deletes : inserts)
            kind->ns.push_back(editNs);
        if (withSeek)
            withSeek->ns.push_back(seekNs + editNs);
    }
    return t;
}

void BM_SeekRandom(benchmark::State& state)
{
    const int64_t size = state.range(0);
    CFileBuffer buffer;
    buffer.LoadFromFile(BenchFile(size));
    for (auto _ : state) {
        Timings fresh = RandomSeeks(buffer, 2000, 1);
        RandomEdits(buffer, 100000, 2);
        Timings edited = RandomSeeks(buffer, 2000, 3);
        state.counters["median_us_after_load"] = fresh.Median() / 1000;
        state.counters["p99_us_after_load"] = fresh.Percentile(0.99) / 1000;
        state.counters["median_us_after_100k_edits"] = edited.Median() / 1000;
        state.counters["p99_us_after_100k_edits"] = edited.Percentile(0.99) / 1000;
        state.counters["index_MiB_after_edits"] = IndexMiB(buffer);
        state.counters["index_percent_after_edits"] = IndexMiB(buffer) * double(kMiB) * 100 / double(size);
    }
}
BENCHMARK(BM_SeekRandom)->Arg(kGiB)->Arg(kLargest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_OneByteEdits(benchmark::State& state)
{
    const int64_t size = state.range(0) * kMiB;
    CFileBuffer buffer;
    buffer.LoadFromFile(BenchFile(size));
    for (auto _ : state) {
        Timings withSeek, inserts, deletes;
        Timings edits = RandomEdits(buffer, 100000, 4, &withSeek, &inserts, &deletes);
        state.counters["edit_median_ns"] = edits.Median();
        state.counters["insert_median_ns"] = inserts.Median();
        state.counters["delete_median_ns"] = deletes.Median();
        state.counters["edit_p99_ns"] = edits.Percentile(0.99);
        state.counters["seek_plus_edit_median_ns"] = withSeek.Median();
    }
}
BENCHMARK(BM_OneByteEdits)->Arg(1)->Arg(1024)->Arg(2047)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();

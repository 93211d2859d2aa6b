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
#include <sys/resource.h>
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
        buffer.SetExtentThreshold(INT64_MAX);  // the in-memory load, as below the threshold
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
    double Mean() const
    {
        double sum = 0;
        for (double v : ns)
            sum += v;
        return ns.empty() ? 0 : sum / double(ns.size());
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
    buffer.SetExtentThreshold(INT64_MAX);  // the chunk list itself, wholly in memory
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

int64_t MinorPageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Times of single edits come in two groups: most take a few hundred
// nanoseconds, and those that must first fault in fresh memory take tens of
// microseconds. The median can sit on the border between the groups, so the
// mean (what a run of edits costs per edit) and the tail are reported too.
void ReportEditTimes(benchmark::State& state, Timings& inserts, Timings& deletes)
{
    state.counters["insert_mean_ns"] = inserts.Mean();
    state.counters["delete_mean_ns"] = deletes.Mean();
    state.counters["insert_median_ns"] = inserts.Median();
    state.counters["delete_median_ns"] = deletes.Median();
    state.counters["insert_p90_ns"] = inserts.Percentile(0.9);
    state.counters["delete_p90_ns"] = deletes.Percentile(0.9);
    state.counters["insert_p99_ns"] = inserts.Percentile(0.99);
    state.counters["delete_p99_ns"] = deletes.Percentile(0.99);
}

void BM_OneByteEdits(benchmark::State& state)
{
    const int64_t size = state.range(0) * kMiB;
    CFileBuffer buffer;
    buffer.SetExtentThreshold(INT64_MAX);  // the chunk list itself, wholly in memory
    buffer.LoadFromFile(BenchFile(size));
    const size_t heapAfterLoad = buffer.Heap().SlabBytes();
    for (auto _ : state) {
        Timings withSeek, inserts, deletes;
        const int64_t faults = MinorPageFaults();
        Timings edits = RandomEdits(buffer, 100000, 4, &withSeek, &inserts, &deletes);
        state.counters["page_faults"] = double(MinorPageFaults() - faults);
        ReportEditTimes(state, inserts, deletes);
        state.counters["edit_mean_ns"] = edits.Mean();
        state.counters["edit_median_ns"] = edits.Median();
        state.counters["edit_p99_ns"] = edits.Percentile(0.99);
        state.counters["seek_plus_edit_median_ns"] = withSeek.Median();
        state.counters["heap_growth_MiB"] = double(buffer.Heap().SlabBytes() - heapAfterLoad) / double(kMiB);
    }
}
BENCHMARK(BM_OneByteEdits)->Arg(1)->Arg(1024)->Arg(2047)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Typing in insert mode in the middle of 1 GiB: a byte inserted and written
// at the caret, which then moves past it; then as many backspaces.
void BM_TypingAtCaret(benchmark::State& state)
{
    CFileBuffer buffer;
    buffer.SetExtentThreshold(INT64_MAX);  // the chunk list itself, wholly in memory
    buffer.LoadFromFile(BenchFile(kGiB));
    CBufferPos caret;
    caret.Bind(&buffer, true, buffer.Size() / 2 + 1000);
    const uint8_t byte = 0x41;
    for (auto _ : state) {
        Timings inserts, deletes;
        for (int i = 0; i < 100000; ++i) {
            inserts.ns.push_back(TimeNs([&] {
                caret.Insert(1);
                caret.Write(&byte, 1);
            }));
            caret.Forward(1);
        }
        for (int i = 0; i < 100000; ++i) {
            caret.Back(1);
            deletes.ns.push_back(TimeNs([&] { caret.Delete(1); }));
        }
        ReportEditTimes(state, inserts, deletes);
    }
}
BENCHMARK(BM_TypingAtCaret)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();

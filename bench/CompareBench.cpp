// Comparing files: two identical 1 GiB documents and a 1 GiB document
// against a copy with 1,000 scattered differences, each against `cmp` of the
// same files in the same run (cmp stops at the first difference, so its run
// on the identical pair is the cost of reading and comparing every byte);
// a 16 MiB stretch of unrelated bytes inside two 64 MiB files, where the
// time should not grow with the minimum match length, with the tables' peak
// memory; the same with 256 MiB inside 512 MiB files under a table budget;
// and how long Esc takes to stop the resynchronisation once pressed.
#include "BenchFiles.h"

#include "core/FileBuffer.h"
#include "tools/FileCompare.h"

#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;
constexpr int32_t kMiB = int32_t(1) << 20;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString SiblingPath(const QString& path, const char* suffix)
{
    return path.left(path.size() - 4) + QLatin1String(suffix) + QStringLiteral(".bin");
}

// The base file with 1,000 inserted, deleted and replaced stretches of 1 to
// 4,096 bytes at sorted random places.
QByteArray Scattered(const QByteArray& base)
{
    std::mt19937 random(42);
    std::vector<int64_t> places(1000);
    for (int64_t& place : places)
        place = std::uniform_int_distribution<int64_t>(0, base.size() - 8192)(random);
    std::sort(places.begin(), places.end());
    QByteArray out;
    out.reserve(base.size() + 4096 * 1000);
    int64_t at = 0;
    for (int64_t place : places) {
        if (place < at)
            continue;
        out.append(base.constData() + at, place - at);
        const int length = std::uniform_int_distribution<int>(1, 4096)(random);
        QByteArray stretch(length, '\0');
        for (char& c : stretch)
            c = char(random());
        switch (random() % 3) {
        case 0:
            out.append(stretch);  // inserted
            at = place;
            break;
        case 1:
            at = place + length;  // deleted
            break;
        default:
            out.append(stretch);  // replaced
            at = place + length;
            break;
        }
    }
    out.append(base.constData() + at, base.size() - at);
    return out;
}

struct GiBFiles {
    QString base;
    QString copy;
    QString scattered;
    CFileBuffer baseDoc;
    CFileBuffer copyDoc;
    CFileBuffer scatteredDoc;
};

GiBFiles& Files()
{
    static GiBFiles* files = [] {
        auto* f = new GiBFiles;
        f->base = BenchFile(kGiB);
        // A copy of its own: cmp answers at once when both names are one file.
        f->copy = SiblingPath(f->base, "-copy");
        f->scattered = SiblingPath(f->base, "-scattered");
        if (QFileInfo(f->copy).size() != kGiB || QFileInfo(f->scattered).size() == 0) {
            const QByteArray bytes = ReadAll(f->base);
            WriteAll(f->copy, bytes);
            WriteAll(f->scattered, Scattered(bytes));
        }
        for (const QString& path : {f->copy, f->scattered})
            ReadAll(path);  // into the page cache, as the base is
        f->baseDoc.LoadFromFile(f->base);
        f->copyDoc.LoadFromFile(f->copy);
        f->scatteredDoc.LoadFromFile(f->scattered);
        return f;
    }();
    return *files;
}

void RunCompare(benchmark::State& state, CFileBuffer& a, CFileBuffer& b, int32_t minMatchLen)
{
    size_t differences = 0;
    size_t peak = 0;
    for (auto _ : state) {
        CFileCompare compare(a, b, minMatchLen);
        while (compare.FindNextDifference() == CompareStep::Found) {
        }
        differences = compare.Differences().size();
        peak = compare.PeakTableBytes();
    }
    state.counters["differences"] = double(differences);
    state.counters["table_MiB"] = double(peak) / kMiB;
    state.SetBytesProcessed(int64_t(state.iterations()) * (int64_t(a.Size()) + b.Size()));
}

void RunCmp(benchmark::State& state, const QString& a, const QString& b)
{
    const std::string command = "cmp -s '" + a.toStdString() + "' '" + b.toStdString() + "'";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(command.c_str()));
    state.SetBytesProcessed(int64_t(state.iterations()) * 2 * kGiB);
}

void BM_Compare_Identical1GiB(benchmark::State& state)
{
    RunCompare(state, Files().baseDoc, Files().copyDoc, 16);
}

void BM_Cmp_Identical1GiB(benchmark::State& state) { RunCmp(state, Files().base, Files().copy); }

void BM_Compare_Scattered1GiB(benchmark::State& state)
{
    RunCompare(state, Files().baseDoc, Files().scatteredDoc, 16);
}

void LoadBytes(CFileBuffer& buffer, const QByteArray& bytes)
{
    buffer.Reset();
    CBufferPos at;
    at.Bind(&buffer, false, 0);
    at.Insert(int32_t(bytes.size()));
    at.Write(bytes.constData(), int32_t(bytes.size()));
}

// Two files of random bytes alike but for a stretch of other random bytes
// in the middle.
struct MiddlePair {
    CFileBuffer a;
    CFileBuffer b;
};

MiddlePair* MakeMiddlePair(int32_t size, int32_t middle)
{
    auto* p = new MiddlePair;
    std::mt19937_64 random(9);
    QByteArray a(size, '\0');
    for (int32_t i = 0; i < a.size(); i += 8) {
        const uint64_t word = random();
        std::memcpy(a.data() + i, &word, 8);
    }
    QByteArray b = a;
    const int32_t from = (size - middle) / 2 / 8 * 8;
    for (int32_t i = from; i < from + middle; i += 8) {
        const uint64_t word = random();
        std::memcpy(b.data() + i, &word, 8);
    }
    LoadBytes(p->a, a);
    LoadBytes(p->b, b);
    return p;
}

// 16 MiB inside 64 MiB.
MiddlePair& Middle()
{
    static MiddlePair* pair = MakeMiddlePair(64 * kMiB, 16 * kMiB);
    return *pair;
}

// 256 MiB inside 512 MiB.
MiddlePair& LargeMiddle()
{
    static MiddlePair* pair = MakeMiddlePair(512 * kMiB, 256 * kMiB);
    return *pair;
}

void BM_Compare_RandomMiddle64MiB(benchmark::State& state)
{
    RunCompare(state, Middle().a, Middle().b, int32_t(state.range(0)));
}

// The tables may hold 2 GiB together: 4 bytes for every window position of
// both 256 MiB stretches. Esc is never pressed, but the longest time
// between two looks at it is the longest a press could wait.
void BM_Compare_RandomMiddle512MiB(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    size_t differences = 0;
    size_t peak = 0;
    bool outOfMemory = false;
    double longestGap = 0;
    for (auto _ : state) {
        CFileCompare compare(LargeMiddle().a, LargeMiddle().b, int32_t(state.range(0)));
        compare.SetTableMemoryLimit(size_t(2) << 30);
        Clock::time_point lastLook = Clock::now();
        compare.SetEscapePoller([&] {
            const Clock::time_point now = Clock::now();
            longestGap = std::max(longestGap, std::chrono::duration<double, std::milli>(now - lastLook).count());
            lastLook = now;
            return false;
        });
        CompareStep step;
        while ((step = compare.FindNextDifference()) == CompareStep::Found) {
        }
        outOfMemory = step == CompareStep::OutOfMemory;
        differences = compare.Differences().size();
        peak = compare.PeakTableBytes();
    }
    state.counters["differences"] = double(differences);
    state.counters["out_of_memory"] = outOfMemory;
    state.counters["table_MiB"] = double(peak) / kMiB;
    state.counters["longest_esc_gap_ms"] = longestGap;
}

// Esc pressed half a second into the resynchronisation of the 256 MiB
// stretch: the time from the press to the comparison's return, in ms.
void BM_Compare_EscLatency(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    double worst = 0;
    for (auto _ : state) {
        CFileCompare compare(LargeMiddle().a, LargeMiddle().b, int32_t(state.range(0)));
        Clock::time_point pressed;
        bool down = false;
        const Clock::time_point start = Clock::now();
        compare.SetEscapePoller([&] {
            if (!down && Clock::now() - start > std::chrono::milliseconds(500)) {
                pressed = start + std::chrono::milliseconds(500);
                down = true;
            }
            return down;
        });
        while (compare.FindNextDifference() == CompareStep::Found) {
        }
        if (!down)
            state.SkipWithError("the comparison ended before Esc was pressed");
        const std::chrono::duration<double, std::milli> latency = Clock::now() - pressed;
        worst = std::max(worst, latency.count());
    }
    state.counters["worst_ms"] = worst;
}

} // namespace

BENCHMARK(BM_Compare_Identical1GiB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Cmp_Identical1GiB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Compare_Scattered1GiB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Compare_RandomMiddle64MiB)->Arg(16)->Arg(4096)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Compare_RandomMiddle512MiB)->Arg(16)->Arg(4096)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Compare_EscLatency)->Arg(16)->Arg(4096)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();

// The search engine and Replace All on large buffers, each against the
// fastest plain way to do the same over one contiguous copy of the bytes:
// memmem() and `grep -c -F` for a search without a match, and one pass that
// builds the replaced result in a new vector for Replace All.
#include "BenchFiles.h"

#include "core/BinEditDoc.h"
#include "platform/MessageBox.h"
#include "tools/ByteSearch.h"
#include "tools/ReplaceAll.h"
#include "tools/SearchPattern.h"
#include "tools/ToolView.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;
constexpr int64_t kMiB = int64_t(1) << 20;

// Printable so that grep can take them on its command line; the first one
// absent from the bench file is used (a random 4-byte string occurs in a
// random GiB about once in four).
const char* const kCandidates4[] = {"Qz#9", "Vn&2", "k@J7", "Hx!4", "P%q8", "tY=3"};
const char* const kCandidates16[] = {"Qz#9kP!x@7LmW2vB", "Vn&2Hx!4tY=3P%q8"};

struct LoadedFile {
    CFileBuffer buffer;
    std::vector<uint8_t> copy;  // the same bytes in one block
    QString path;
};

LoadedFile& GiBFile()
{
    static LoadedFile* file = [] {
        auto* f = new LoadedFile;
        f->path = BenchFile(kGiB);
        f->buffer.SetExtentThreshold(INT64_MAX);  // wholly in memory, as before extents
        f->buffer.LoadFromFile(f->path);
        f->copy.resize(size_t(f->buffer.Size()));
        CBufferPos reader;
        reader.Bind(&f->buffer, false, 0);
        reader.Read(f->copy.data(), f->buffer.Size());
        return f;
    }();
    return *file;
}

template <size_t N>
const char* FirstAbsent(const LoadedFile& file, const char* const (&candidates)[N])
{
    for (const char* pattern : candidates)
        if (!memmem(file.copy.data(), file.copy.size(), pattern, std::strlen(pattern)))
            return pattern;
    return nullptr;
}

const char* PatternOf(int64_t length)
{
    static const char* const pattern4 = FirstAbsent(GiBFile(), kCandidates4);
    static const char* const pattern16 = FirstAbsent(GiBFile(), kCandidates16);
    return length == 4 ? pattern4 : pattern16;
}

bool RequirePattern(const char* pattern, benchmark::State& state)
{
    if (!pattern)
        state.SkipWithError("every candidate pattern occurs in the bench file");
    return pattern != nullptr;
}

void BM_FindNoMatch_Buffer(benchmark::State& state)
{
    LoadedFile& file = GiBFile();
    const char* pattern = PatternOf(state.range(0));
    if (!RequirePattern(pattern, state))
        return;
    const CByteSearch search(pattern, int32_t(std::strlen(pattern)), true);
    for (auto _ : state)
        benchmark::DoNotOptimize(search.FindForward(file.buffer, 0, file.buffer.Size()));
    state.SetBytesProcessed(state.iterations() * file.buffer.Size());
}
BENCHMARK(BM_FindNoMatch_Buffer)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The same file opened as one extent: the search reads it from the page
// cache in large blocks of its own.
CFileBuffer& GiBExtents()
{
    static CFileBuffer* buffer = [] {
        auto* b = new CFileBuffer;
        b->SetExtentThreshold(0);
        b->LoadFromFile(BenchFile(kGiB));
        return b;
    }();
    return *buffer;
}

void BM_FindNoMatch_Extents(benchmark::State& state)
{
    CFileBuffer& buffer = GiBExtents();
    const char* pattern = PatternOf(state.range(0));
    if (!RequirePattern(pattern, state))
        return;
    const CByteSearch search(pattern, int32_t(std::strlen(pattern)), true);
    for (auto _ : state)
        benchmark::DoNotOptimize(search.FindForward(buffer, 0, buffer.Size()));
    state.SetBytesProcessed(state.iterations() * buffer.Size());
}
BENCHMARK(BM_FindNoMatch_Extents)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The plain way over the same file: pread 1 MiB at a time and memmem over
// each block with the pattern's length minus one bytes carried over.
void BM_FindNoMatch_PreadMemmem(benchmark::State& state)
{
    const char* pattern = PatternOf(state.range(0));
    if (!RequirePattern(pattern, state))
        return;
    const size_t n = std::strlen(pattern);
    QFile file(BenchFile(kGiB));
    file.open(QIODevice::ReadOnly);
    const int fd = file.handle();
    std::vector<char> block(size_t(kMiB) + n);
    for (auto _ : state) {
        int64_t offset = 0;
        size_t carried = 0;
        const void* found = nullptr;
        for (;;) {
            const ssize_t got = ::pread(fd, block.data() + carried, size_t(kMiB), offset);
            if (got <= 0)
                break;
            offset += got;
            const size_t filled = carried + size_t(got);
            found = memmem(block.data(), filled, pattern, n);
            if (found)
                break;
            carried = std::min(filled, n - 1);
            std::memmove(block.data(), block.data() + filled - carried, carried);
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(BM_FindNoMatch_PreadMemmem)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_FindNoMatch_BufferIgnoreCase(benchmark::State& state)
{
    LoadedFile& file = GiBFile();
    const char* pattern = PatternOf(state.range(0));
    if (!RequirePattern(pattern, state))
        return;
    const CByteSearch search(pattern, int32_t(std::strlen(pattern)), false);
    for (auto _ : state)
        benchmark::DoNotOptimize(search.FindForward(file.buffer, 0, file.buffer.Size()));
    state.SetBytesProcessed(state.iterations() * file.buffer.Size());
}
BENCHMARK(BM_FindNoMatch_BufferIgnoreCase)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_FindNoMatch_BufferBackward(benchmark::State& state)
{
    LoadedFile& file = GiBFile();
    const char* pattern = PatternOf(state.range(0));
    if (!RequirePattern(pattern, state))
        return;
    const CByteSearch search(pattern, int32_t(std::strlen(pattern)), true);
    for (auto _ : state)
        benchmark::DoNotOptimize(search.FindBackward(file.buffer, file.buffer.Size(), 0));
    state.SetBytesProcessed(state.iterations() * file.buffer.Size());
}
BENCHMARK(BM_FindNoMatch_BufferBackward)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The physical limit: glibc's memmem over one contiguous block.
void BM_FindNoMatch_Memmem(benchmark::State& state)
{
    LoadedFile& file = GiBFile();
    const char* pattern = PatternOf(state.range(0));
    if (!RequirePattern(pattern, state))
        return;
    const size_t n = std::strlen(pattern);
    for (auto _ : state)
        benchmark::DoNotOptimize(memmem(file.copy.data(), file.copy.size(), pattern, n));
    state.SetBytesProcessed(state.iterations() * int64_t(file.copy.size()));
}
BENCHMARK(BM_FindNoMatch_Memmem)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// grep reading the same file from the page cache, process start included.
void BM_FindNoMatch_GrepCountFixed(benchmark::State& state)
{
    LoadedFile& file = GiBFile();
    if (!RequirePattern(PatternOf(state.range(0)), state))
        return;
    const std::string command = std::string("LC_ALL=C grep -c -F -a -- '") + PatternOf(state.range(0)) + "' '" +
                                QFile::encodeName(file.path).toStdString() + "' > /dev/null";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(command.c_str()));
    state.SetBytesProcessed(state.iterations() * int64_t(file.copy.size()));
}
BENCHMARK(BM_FindNoMatch_GrepCountFixed)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// ---------------------------------------------------------------- Replace All

constexpr int64_t kReplaceFileSize = 256 * kMiB;
constexpr int32_t kMatches = 1000000;
const char kOld[] = "Wq7%";
const char kNew[] = "REPLAC";

// The 256 MiB bench file with the 4-byte pattern written at a million evenly
// spaced offsets.
std::vector<uint8_t> ReplaceInput()
{
    CFileBuffer buffer;
    buffer.LoadFromFile(BenchFile(kReplaceFileSize));
    std::vector<uint8_t> bytes(size_t(buffer.Size()));
    CBufferPos reader;
    reader.Bind(&buffer, false, 0);
    reader.Read(bytes.data(), buffer.Size());
    const int64_t step = kReplaceFileSize / kMatches;
    for (int64_t i = 0; i < kMatches; ++i)
        std::memcpy(bytes.data() + i * step, kOld, 4);
    return bytes;
}

const std::vector<uint8_t>& ReplaceBytes()
{
    static const std::vector<uint8_t> bytes = ReplaceInput();
    return bytes;
}

int64_t CountMatches(const std::vector<uint8_t>& bytes)
{
    int64_t count = 0;
    const uint8_t* at = bytes.data();
    const uint8_t* end = bytes.data() + bytes.size();
    while (const void* hit = memmem(at, size_t(end - at), kOld, 4)) {
        ++count;
        at = static_cast<const uint8_t*>(hit) + 4;
    }
    return count;
}

class BenchView : public IToolView {
public:
    explicit BenchView(CBinEditDoc& doc) : doc_(doc) {}
    SelectionState Selection() const override { return {}; }
    int64_t FileSize() const override { return doc_.Size(); }
    void Select(int64_t, int64_t) override {}
    void DeleteSelection() override {}
    void RedrawAll() override {}

private:
    CBinEditDoc& doc_;
};

void BM_ReplaceAll_Document(benchmark::State& state)
{
    const std::vector<uint8_t>& input = ReplaceBytes();
    const QString path =
        qEnvironmentVariable("VANTREL_BENCH_DIR", QDir::tempPath()) + QStringLiteral("/vantrel-bench-replace.bin");
    {
        QFile out(path);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(reinterpret_cast<const char*>(input.data()), qint64(input.size()));
    }
    const int64_t expected = CountMatches(input);
    const SearchState search{QByteArray(kOld, 4), QByteArray(kNew, 6), true};
    platform::SetMessageHandler([](const platform::Message&) { return platform::MsgResult::Ok; });
    ReplaceAllOutcome outcome;
    int64_t recordBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CBinEditDoc>();
        doc->OnOpenDocument(path);
        BenchView view(*doc);
        state.ResumeTiming();
        outcome = ReplaceAll(*doc, view, search, false, [] { return false; });
        state.PauseTiming();
        recordBytes = doc->UndoList().IsEmpty() ? 0 : doc->UndoList().Top().dataSize;
        doc.reset();
        state.ResumeTiming();
    }
    if (outcome.replaced != expected)
        state.SkipWithError("replacement count differs from the reference");
    state.counters["matches"] = double(outcome.replaced);
    state.counters["distinct"] = double(outcome.distinctValues);
    state.counters["undo_record_bytes_per_match"] = double(recordBytes) / double(std::max<int64_t>(outcome.replaced, 1));
    state.counters["pair_table_bytes_per_match"] = double(outcome.tableBytes) / double(std::max<int64_t>(outcome.replaced, 1));
    state.SetBytesProcessed(state.iterations() * int64_t(input.size()));
    QFile::remove(path);
}
BENCHMARK(BM_ReplaceAll_Document)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The reference: one pass over a contiguous copy, building the result in a
// new vector sized up front.
void BM_ReplaceAll_OnePassVector(benchmark::State& state)
{
    const std::vector<uint8_t>& input = ReplaceBytes();
    int64_t count = 0;
    for (auto _ : state) {
        std::vector<uint8_t> out;
        out.reserve(input.size() + size_t(kMatches) * 2);
        count = 0;
        const uint8_t* at = input.data();
        const uint8_t* end = input.data() + input.size();
        while (const void* hit = memmem(at, size_t(end - at), kOld, 4)) {
            const auto* match = static_cast<const uint8_t*>(hit);
            out.insert(out.end(), at, match);
            out.insert(out.end(), kNew, kNew + 6);
            at = match + 4;
            ++count;
        }
        out.insert(out.end(), at, end);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["matches"] = double(count);
    state.SetBytesProcessed(state.iterations() * int64_t(input.size()));
}
BENCHMARK(BM_ReplaceAll_OnePassVector)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();

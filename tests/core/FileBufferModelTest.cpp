// Long random sequences of buffer operations through registered positions of
// all three kinds, checked after every step against a plain byte vector, the
// position rules and the chunk invariants. Runs with an extent threshold of
// 0 start from a file on disk held as an extent, so every edit meets a mix
// of extents and memory chunks, and they save and reload now and then.
#include "BufferModel.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

struct ModelRun {
    unsigned seed;
    int steps;
    bool injectFailures;
    int32_t largestStart = 20000;  // large starts give the seek index several levels
    int64_t extentThreshold = -1;  // -1: the buffer's default
};

class FileBufferModel : public ::testing::TestWithParam<ModelRun> {
protected:
    std::mt19937 rng{GetParam().seed};
    int32_t Random(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(rng); }

    int32_t EditSize()
    {
        const int32_t kind = Random(0, 9);
        if (kind < 7)
            return Random(1, 16);
        if (kind < 9)
            return Random(17, 2 * MAX_CHUNK + 100);
        return Random(2 * MAX_CHUNK, 9000);
    }

    std::vector<uint8_t> RandomData(int32_t count)
    {
        std::vector<uint8_t> data(size_t(std::max(count, 0)));
        for (auto& b : data)
            b = uint8_t(rng());
        return data;
    }
};

// Counts the problems the buffer reports, remembering the first one.
struct ProblemCounter : ICoreProblemSink {
    void OnProblem(const CoreProblem& problem) override
    {
        if (count++ == 0)
            first = problem;
    }
    int count = 0;
    CoreProblem first;
};

TEST_P(FileBufferModel, RandomOperationsMatchPlainVector)
{
    ProblemCounter problems;
    QTemporaryDir dir;
    const QString path = dir.filePath("start.bin");
    const QByteArray initial = RandomBytes(Random(0, GetParam().largestStart), GetParam().seed);
    WriteWholeFile(path, initial);

    CFileBuffer buffer;
    buffer.SetProblemSink(&problems);
    const bool extents = GetParam().extentThreshold >= 0;
    if (extents)
        buffer.SetExtentThreshold(GetParam().extentThreshold);
    ASSERT_TRUE(buffer.LoadFromFile(path));
    if (extents && !initial.isEmpty()) {
        ASSERT_EQ(buffer.ExtentCount(), 1);
    }
    BufferModel model;
    model.bytes.assign(initial.begin(), initial.end());

    CBufferPos plain0, plain1;
    CSelectionPos sel0, sel1;
    CAlignedPos aligned0, aligned1;
    aligned0.unit = 16;
    aligned1.unit = 7;
    std::vector<CBufferPos*> real = {&plain0, &plain1, &sel0, &sel1, &aligned0, &aligned1};
    std::vector<ExpectedPos> expected(real.size());
    for (size_t i = 0; i < real.size(); ++i) {
        expected[i].isSelection = i == 2 || i == 3;
        expected[i].unit = i == 4 ? 16 : i == 5 ? 7 : 1;
        int32_t at = Random(0, model.Size());
        at -= at % expected[i].unit;
        real[i]->Bind(&buffer, true, at);
        expected[i].offset = at;
    }

    for (int step = 0; step < GetParam().steps; ++step) {
        // The editor is one of the registered positions or a temporary one.
        const int editorIndex = Random(0, int(real.size()) + 1);
        const bool registeredEditor = editorIndex < int(real.size());
        CBufferPos temporary;
        CBufferPos& editor = registeredEditor ? *real[size_t(editorIndex)] : temporary;
        const int32_t unit = registeredEditor ? expected[size_t(editorIndex)].unit : 1;
        int32_t at = Random(0, model.Size());
        at -= at % unit;
        if (registeredEditor)
            editor.Seek(at);
        else
            temporary.Bind(&buffer, false, at);
        ASSERT_EQ(editor.Offset(), at);
        if (registeredEditor)
            expected[size_t(editorIndex)].offset = at;

        std::vector<ExpectedPos*> others;
        for (size_t i = 0; i < expected.size(); ++i)
            if (int(i) != editorIndex)
                others.push_back(&expected[i]);

        const int op = Random(0, 99);
        if (extents && op == 99 && Random(0, 3) == 0) {
            // Save over the file the extents read from, then open the result.
            ASSERT_TRUE(buffer.SaveToFile(path)) << "step " << step;
            ASSERT_TRUE(buffer.LoadFromFile(path)) << "step " << step;
            for (ExpectedPos& e : expected)
                e = ExpectedPos{0, false, 0, 0, e.unit, e.isSelection};
            ASSERT_LE(buffer.ExtentCount(), 1);
        }
        if (GetParam().injectFailures && Random(0, 9) == 0)
            buffer.Heap().FailAfter(Random(0, 3));
        // Writing into an extent needs memory for the chunks that take its
        // bytes: when that fails nothing is written.
        const auto written = [&](int32_t n, int32_t wanted) {
            return n == wanted || (GetParam().injectFailures && extents && n == 0);
        };

        const int32_t sizeBias = model.Size() > GetParam().largestStart + 4000 ? 30 : 0;
        if (op < 8) {
            const int32_t target = Random(-10, model.Size() + 10);
            ASSERT_EQ(editor.Seek(target), std::clamp(target, 0, model.Size()));
            if (registeredEditor)
                expected[size_t(editorIndex)].offset = editor.Offset();
        } else if (op < 18) {
            const int32_t count = EditSize();
            std::vector<uint8_t> got(static_cast<size_t>(count));
            const int32_t n = editor.Read(got.data(), count);
            ASSERT_EQ(n, std::min(count, model.Size() - at));
            ASSERT_TRUE(std::equal(got.begin(), got.begin() + n, model.bytes.begin() + at));
        } else if (op < 30) {
            const auto data = RandomData(EditSize());
            const int32_t n = editor.Write(data.data(), int32_t(data.size()));
            ASSERT_TRUE(written(n, std::min(int32_t(data.size()), model.Size() - at))) << n;
            std::copy(data.begin(), data.begin() + n, model.bytes.begin() + at);
        } else if (op < 36) {
            const auto value = uint8_t(rng());
            const int32_t count = EditSize();
            const int32_t n = editor.Fill(value, count);
            ASSERT_TRUE(written(n, std::min(count, model.Size() - at))) << n;
            std::fill(model.bytes.begin() + at, model.bytes.begin() + at + n, value);
        } else if (op < 68 - sizeBias) {
            const auto data = RandomData(EditSize());
            const int32_t inserted = editor.Insert(int32_t(data.size()));
            if (!GetParam().injectFailures) {
                ASSERT_EQ(inserted, int32_t(data.size()));
            }
            ASSERT_EQ(editor.Offset(), at) << "the inserting position stays at the start of the gap";
            ASSERT_EQ(editor.Write(data.data(), inserted), inserted);
            model.Insert(at, inserted, others);
            std::copy(data.begin(), data.begin() + inserted, model.bytes.begin() + at);
        } else if (op < 96) {
            const int32_t count = EditSize();
            const int32_t deleted = editor.Delete(count);
            // Cutting an extent in two needs a header for the second half.
            ASSERT_TRUE(written(deleted, std::min(count, model.Size() - at))) << deleted;
            ASSERT_EQ(editor.Offset(), at);
            model.Delete(at, deleted, others);
        } else {
            const size_t which = size_t(Random(2, 3));
            auto* selection = static_cast<CSelectionPos*>(real[which]);
            const int32_t a = Random(0, model.Size());
            const int32_t b = Random(0, model.Size());
            selection->hasSelection = a != b;
            selection->selStart = std::min(a, b);
            selection->selEnd = std::max(a, b);
            expected[which].hasSelection = a != b;
            expected[which].selStart = selection->selStart;
            expected[which].selEnd = selection->selEnd;
        }
        buffer.Heap().FailAfter(-1);

        std::string why;
        ASSERT_TRUE(buffer.CheckInvariants(&why)) << "step " << step << ": " << why;
        ASSERT_EQ(buffer.Size(), model.Size()) << "step " << step;
        ASSERT_TRUE(BufferBytes(buffer) == model.bytes) << "contents differ after step " << step;
        const std::string positions = ComparePositions(real, expected);
        ASSERT_TRUE(positions.empty()) << "step " << step << ": " << positions;
    }
    if (!GetParam().injectFailures) {
        EXPECT_EQ(problems.count, 0) << "first problem: " << int(problems.first.error);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, FileBufferModel,
                         ::testing::Values(ModelRun{1, 30000, false}, ModelRun{2, 30000, false},
                                           ModelRun{3, 30000, false}, ModelRun{4, 30000, false},
                                           ModelRun{5, 10000, true}, ModelRun{6, 10000, true},
                                           ModelRun{7, 2000, false, 300 * MAX_CHUNK},
                                           ModelRun{8, 2000, true, 300 * MAX_CHUNK},
                                           ModelRun{11, 20000, false, 20000, 0}, ModelRun{12, 20000, false, 20000, 0},
                                           ModelRun{13, 8000, true, 20000, 0},
                                           ModelRun{14, 2000, false, 300 * MAX_CHUNK, 0},
                                           ModelRun{15, 2000, true, 300 * MAX_CHUNK, 0}),
                         [](const auto& info) {
                             return std::string(info.param.extentThreshold >= 0 ? "Extents" : "") +
                                    (info.param.injectFailures ? "OutOfMemorySeed" : "Seed") +
                                    std::to_string(info.param.seed);
                         });

} // namespace

// Edits, undos and redos through the document while the buffer's heap fails
// at random moments. Every change is described as "at these offsets, replace
// this many bytes by these values"; when an insertion comes out short, the
// bytes must equal that change applied up to the point where memory ran out,
// and nothing outside the replaced regions and the gap may change.
#include "BufferModel.h"
#include "MessageRecorder.h"
#include "tools/DocumentFeedback.h"
#include "TestFiles.h"

#include "core/BinEditDoc.h"
#include "settings/AppSettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

using Bytes = std::vector<uint8_t>;

// Occurrence i stands at offsets[i] in the state the change applies to; each
// is `replaced` bytes long and becomes values[i].
struct Change {
    std::vector<int32_t> offsets;
    int32_t replaced = 0;
    std::vector<Bytes> values;
};

constexpr int64_t kComplete = INT64_MAX;

// The change applied in order, the way the document applies it: when the
// size grew by less than planned (growth), the occurrence where memory ran
// out got only the bytes that fit (its old bytes plus the short gap) and the
// later ones nothing.
Bytes Apply(const Bytes& start, const Change& change, int64_t growth)
{
    Bytes out = start;
    const int64_t grow = change.values.empty() ? 0 : int64_t(change.values[0].size()) - change.replaced;
    int64_t budget = growth;
    int64_t shift = 0;
    for (size_t i = 0; i < change.offsets.size(); ++i) {
        const Bytes& value = change.values[i];
        int64_t written = int64_t(value.size());
        if (grow > 0) {
            if (budget < grow)
                written = change.replaced + budget;
            budget -= std::min(budget, grow);
        }
        const auto at = out.begin() + change.offsets[i] + shift;
        out.erase(at, at + change.replaced);
        out.insert(out.begin() + change.offsets[i] + shift, value.begin(), value.begin() + written);
        if (written < int64_t(value.size()))
            break;
        shift += grow;
    }
    return out;
}

// A change and its inverse, as kept by the histories.
struct Step {
    Change forward;  // from the state before to the state after
    Change back;     // from the state after to the state before
};

Step Single(const Bytes& before, int32_t at, int32_t replaced, const Bytes& data)
{
    Step step;
    step.forward = {{at}, replaced, {data}};
    step.back = {{at}, int32_t(data.size()), {Bytes(before.begin() + at, before.begin() + at + replaced)}};
    return step;
}

class DocumentOutOfMemory : public ::testing::TestWithParam<unsigned> {
protected:
    std::mt19937 rng{GetParam()};
    int32_t Random(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(rng); }
    Bytes Data(int32_t count)
    {
        Bytes data(size_t(std::max(count, 0)));
        for (auto& b : data)
            b = uint8_t('a' + Random(0, 2));  // a small alphabet, so replace-all finds matches
        return data;
    }
    int32_t Count() { return Random(0, 3) ? Random(1, 40) : Random(41, 5000); }

    // A replace-all of one two-byte pattern, recorded the way the tool does it.
    bool ReplaceAll(CBinEditDoc& doc, const Bytes& before, const Bytes& replacement, Step& step)
    {
        doc.Buffer().Heap().FailAfter(-1);  // the tool's own loop is tested elsewhere
        const Bytes pattern = Data(2);
        std::vector<OccurrencePair> pairs;
        const auto grow = int32_t(replacement.size()) - 2;
        for (int32_t i = 0; i + 2 <= int32_t(before.size());) {
            if (before[size_t(i)] != pattern[0] || before[size_t(i) + 1] != pattern[1]) {
                ++i;
                continue;
            }
            step.forward.offsets.push_back(i);
            pairs.push_back({i + int32_t(pairs.size()) * grow, 0});
            i += 2;
        }
        if (pairs.empty() || pairs.size() > 400)
            return false;
        step.forward.replaced = 2;
        step.forward.values.assign(pairs.size(), replacement);
        step.back.replaced = int32_t(replacement.size());
        for (const OccurrencePair& pair : pairs) {
            step.back.offsets.push_back(pair.offset);
            step.back.values.push_back(pattern);
        }
        if (!doc.RecordReplaceAll({2, int32_t(replacement.size()), 1, pattern.data(), &pairs}))
            return false;
        CBufferPos at;
        at.Bind(&doc.Buffer(), false, 0);
        for (const OccurrencePair& pair : pairs) {
            at.Seek(pair.offset);
            if (grow < 0)
                at.Delete(-grow);
            else
                at.Insert(grow);
            at.Write(replacement.data(), int32_t(replacement.size()));
        }
        doc.SetModifiedFlag(true);
        return true;
    }
};

TEST_P(DocumentOutOfMemory, ShortInsertionsNeverOverwriteUntouchedBytes)
{
    MessageRecorder messages;
    DocumentFeedback feedback;
    QTemporaryDir dir;
    const QString path = dir.filePath("f.bin");
    WriteWholeFile(path, RandomBytes(Random(0, 30000), GetParam()));
    CBinEditDoc doc(&feedback, HistoryLevels{1000, 1000});
    ASSERT_TRUE(doc.OnOpenDocument(path));
    CSelectionPos caret;
    caret.Bind(&doc.Buffer(), true, 0);

    std::vector<Step> undo, redo;
    int failures = 0;
    for (int i = 0; i < 600; ++i) {
        const Bytes before = BufferBytes(doc.Buffer());
        const auto size = int32_t(before.size());
        const bool injecting = Random(0, 2) == 0;
        if (injecting)
            doc.Buffer().Heap().FailAfter(Random(0, 4));
        const int op = Random(0, 9);
        Change expected;
        bool recorded = false;  // a new entry went on the undo list
        Step step;
        if (op < 2) {
            const int32_t at = Random(0, size);
            const Bytes data = Data(Count());
            caret.Seek(at);
            step = Single(before, at, 0, data);
            recorded = doc.InsertAt(caret, data.data(), int32_t(data.size())) >= 0;
        } else if (op < 5) {
            const int32_t at = Random(0, size);
            const int32_t replaced = std::min(Count(), size - at);
            const Bytes data = Data(Random(0, 3) ? replaced + Count() : Random(1, 40));
            caret.Seek(at);
            step = Single(before, at, replaced, data);
            recorded = doc.ReplaceAt(caret, replaced, data.data(), int32_t(data.size())) || true;
        } else if (op < 6 && size > 0) {
            const int32_t at = Random(0, size - 1);
            const int32_t count = std::min(Count(), size - at);
            caret.Seek(at);
            step = Single(before, at, count, {});
            recorded = doc.DeleteAt(caret, count);
        } else if (op < 7) {
            recorded = ReplaceAll(doc, before, Data(Random(3, 6)), step);
        } else if (op < 9 && !undo.empty()) {
            ASSERT_GE(doc.Undo(caret), 0);
            expected = undo.back().back;
            redo.push_back(undo.back());
            undo.pop_back();
        } else if (!redo.empty()) {
            ASSERT_GE(doc.Redo(caret), 0);
            expected = redo.back().forward;
            undo.push_back(redo.back());
            redo.pop_back();
        }
        doc.Buffer().Heap().FailAfter(-1);
        if (recorded) {
            expected = step.forward;
            undo.push_back(step);
            redo.clear();
        }

        const Bytes after = BufferBytes(doc.Buffer());
        const int64_t growth = int64_t(after.size()) - int64_t(before.size());
        ASSERT_TRUE(after == Apply(before, expected, growth)) << "step " << i;
        std::string why;
        ASSERT_TRUE(doc.Buffer().CheckInvariants(&why)) << "step " << i << ": " << why;
        if (after != Apply(before, expected, kComplete)) {
            // A short insertion: the histories no longer match and are gone.
            ++failures;
            ASSERT_TRUE(injecting);
            ASSERT_FALSE(doc.CanUndo());
            ASSERT_FALSE(doc.CanRedo());
            ASSERT_EQ(doc.LastProblem().error, CoreError::OutOfMemory);
            ASSERT_EQ(messages.Last(),
                      "Out of memory.\n\nThere is not enough memory to complete the current operation. To prevent loss "
                      "of data, you should not use this program in low memory conditions. If the data you are working "
                      "with needs to be saved, you should save it now and then terminate the program. Note that the "
                      "last edit performed may have not produced the expected results.");
            undo.clear();
            redo.clear();
        }
        ASSERT_EQ(doc.UndoList().Count(), int32_t(undo.size())) << "step " << i;
        ASSERT_EQ(doc.RedoList().Count(), int32_t(redo.size())) << "step " << i;
    }
    EXPECT_GT(failures, 10) << "the heap failed too rarely to test anything";
}

INSTANTIATE_TEST_SUITE_P(Seeds, DocumentOutOfMemory, ::testing::Values(21u, 22u, 23u, 24u));

} // namespace

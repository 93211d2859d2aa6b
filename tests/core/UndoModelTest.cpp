// Random edit sequences recorded through the document, with saves among
// them, then undone and redone completely, compared with snapshots after
// every step. With extents the file is held on disk and some edits are far
// larger than a plain copy in a history entry may be, so they are kept as
// pieces; a save moves the document onto the new file while older entries
// still name stretches of the files saved over.
#include "BufferModel.h"
#include "MessageRecorder.h"
#include "tools/DocumentFeedback.h"
#include "TestFiles.h"

#include "settings/AppSettings.h"
#include "core/BinEditDoc.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Snapshot {
    std::vector<uint8_t> bytes;
    bool modified;
};

// Replaces every occurrence of any of the patterns (all of one length) by
// replacement, recording one RestoreMany entry the way a replace-all does.
bool ReplaceAll(CBinEditDoc& doc, const std::vector<std::vector<uint8_t>>& patterns,
                const std::vector<uint8_t>& replacement)
{
    const std::vector<uint8_t> bytes = BufferBytes(doc.Buffer());
    const auto oldLength = int32_t(patterns.front().size());
    const auto newLength = int32_t(replacement.size());
    std::vector<OccurrencePair> pairs;
    std::vector<std::vector<uint8_t>> distinct;
    for (int32_t i = 0; i + oldLength <= int32_t(bytes.size());) {
        std::vector<uint8_t> here(bytes.begin() + i, bytes.begin() + i + oldLength);
        if (std::find(patterns.begin(), patterns.end(), here) == patterns.end()) {
            ++i;
            continue;
        }
        auto found = std::find(distinct.begin(), distinct.end(), here);
        if (found == distinct.end())
            found = distinct.insert(distinct.end(), here);
        const auto shift = int32_t(pairs.size()) * (newLength - oldLength);
        pairs.push_back({i + shift, int32_t(found - distinct.begin())});
        i += oldLength;
    }
    if (pairs.empty())
        return false;
    std::vector<uint8_t> values;
    for (const auto& v : distinct)
        values.insert(values.end(), v.begin(), v.end());
    if (!doc.RecordReplaceAll({oldLength, newLength, int32_t(distinct.size()), values.data(), &pairs}))
        return false;
    CBufferPos at;
    at.Bind(&doc.Buffer(), false, 0);
    for (const OccurrencePair& pair : pairs) {
        at.Seek(pair.offset);
        if (newLength > oldLength)
            at.Insert(newLength - oldLength);
        else if (newLength < oldLength)
            at.Delete(oldLength - newLength);
        at.Write(replacement.data(), newLength);
    }
    doc.SetModifiedFlag(true);
    return true;
}

class UndoModel : public ::testing::TestWithParam<std::tuple<unsigned, int, bool>> {
protected:
    std::mt19937 rng{std::get<0>(GetParam())};
    static bool Extents() { return std::get<2>(GetParam()); }
    int32_t Random(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(rng); }
    std::vector<uint8_t> Data(int32_t count)
    {
        std::vector<uint8_t> data(static_cast<size_t>(count));
        for (auto& b : data)
            b = uint8_t('a' + Random(0, 3));  // a small alphabet, so replace-all finds matches
        return data;
    }

    // One random edit through the document; false when nothing was edited.
    bool RandomEdit(CBinEditDoc& doc, CBufferPos& caret)
    {
        const int32_t size = doc.Size();
        const int32_t at = Random(0, size);
        caret.Seek(at);
        const int kind = Random(0, 19);
        const int32_t count = kind < 16 ? Random(1, 4) : kind < 19 || !Extents() ? Random(5, 3000)
                                                                                  : Random(MAX_UNDO_BLOCK, 60000);
        switch (Random(0, 5)) {
        case 0: {
            const auto data = Data(count);
            return doc.InsertAt(caret, data.data(), count) == count;
        }
        case 1:
            return doc.DeleteAt(caret, count);
        case 2: {
            const auto data = Data(count);
            return doc.OverwriteAt(caret, data.data(), count);
        }
        case 3: {
            const auto data = Data(Random(1, 6));
            return doc.ReplaceAt(caret, count, data.data(), int32_t(data.size()));
        }
        case 4: {
            if (size < 2)
                return false;
            const int32_t source = Random(0, size - 1);
            const int32_t length = Random(1, std::min(size - source, 3000));
            int32_t drop = Random(0, size);
            if (drop >= source && drop <= source + length)
                return false;
            return doc.MoveBlock(caret, source, length, drop);
        }
        default: {
            const uint8_t a = uint8_t('a' + Random(0, 3));
            std::vector<std::vector<uint8_t>> patterns = {{a, uint8_t('a' + Random(0, 3))}};
            patterns.push_back({uint8_t(a ^ 0x20), patterns[0][1]});  // a case variant stored apart
            return ReplaceAll(doc, patterns, Data(Random(0, 4)));
        }
        }
    }
};

TEST_P(UndoModel, UndoEverythingThenRedoEverything)
{
    const int levels = std::get<1>(GetParam());
    MessageRecorder messages;
    DocumentFeedback feedback;
    QTemporaryDir dir;
    const QString path = dir.filePath("f.bin");
    WriteWholeFile(path, RandomBytes(Extents() ? 300000 : 6000, std::get<0>(GetParam())));
    CBinEditDoc doc(&feedback, HistoryLevels{levels, levels});
    if (Extents())
        doc.Buffer().SetExtentThreshold(0);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    CSelectionPos caret;
    caret.Bind(&doc.Buffer(), true, 0);

    std::vector<Snapshot> states{{BufferBytes(doc.Buffer()), doc.IsModified()}};
    int saves = 0;
    for (int i = 0; states.size() < 300 && i < 2000; ++i) {
        if (Random(0, 39) == 0) {
            ASSERT_TRUE(doc.OnSaveDocument(path));
            ++saves;
            // Only the saved contents are unmodified now.
            for (Snapshot& state : states)
                state.modified = true;
            states.back().modified = false;
            ASSERT_FALSE(doc.IsModified());
            ASSERT_TRUE(BufferBytes(doc.Buffer()) == states.back().bytes) << "save " << saves;
        }
        if (RandomEdit(doc, caret)) {
            ASSERT_TRUE(doc.Buffer().CheckInvariants());
            states.push_back({BufferBytes(doc.Buffer()), doc.IsModified()});
        }
    }
    ASSERT_GT(saves, 0);
    const int edits = int(states.size()) - 1;
    const int undoable = std::min(edits, levels);
    ASSERT_EQ(doc.UndoList().Count(), undoable);

    for (int i = 0; i < undoable; ++i) {
        ASSERT_TRUE(doc.CanUndo());
        ASSERT_GE(doc.Undo(caret), 0) << "undo " << i;
        const Snapshot& expected = states[size_t(edits - i - 1)];
        ASSERT_TRUE(BufferBytes(doc.Buffer()) == expected.bytes) << "after undo " << i;
        ASSERT_EQ(doc.IsModified(), expected.modified) << "after undo " << i;
        ASSERT_TRUE(doc.Buffer().CheckInvariants());
    }
    EXPECT_FALSE(doc.CanUndo()) << "entries beyond the levels were dropped";

    for (int i = undoable; i > 0; --i) {
        ASSERT_TRUE(doc.CanRedo());
        ASSERT_GE(doc.Redo(caret), 0);
        const Snapshot& expected = states[size_t(edits - i + 1)];
        ASSERT_TRUE(BufferBytes(doc.Buffer()) == expected.bytes) << "after redo " << i;
        ASSERT_EQ(doc.IsModified(), expected.modified);
    }
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(messages.Count(), 0) << messages.Last().toStdString();
}

INSTANTIATE_TEST_SUITE_P(SeedsAndLevels, UndoModel,
                         ::testing::Combine(::testing::Values(11u, 12u, 13u), ::testing::Values(3, 7, 1000),
                                            ::testing::Bool()));

} // namespace

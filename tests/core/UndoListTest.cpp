// The history rules that random sequences seldom reach: levels, the block
// size limit and its questions, and what clears which list.
#include "BufferModel.h"
#include "MessageRecorder.h"
#include "TestFiles.h"

#include "core/BinEditDoc.h"
#include "tools/DocumentFeedback.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using platform::MsgResult;

class UndoListTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    MessageRecorder messages;
    bool askWithoutHistory = true;
    DocumentFeedback feedback{{}, [this] { return askWithoutHistory; }};
    std::unique_ptr<CBinEditDoc> doc;
    CSelectionPos caret;

    void Open(const QByteArray& bytes, int undoLevels = 100, int redoLevels = 100)
    {
        const QString path = dir.filePath("f.bin");
        WriteWholeFile(path, bytes);
        doc = std::make_unique<CBinEditDoc>(&feedback, HistoryLevels{undoLevels, redoLevels});
        ASSERT_TRUE(doc->OnOpenDocument(path));
        caret.Bind(&doc->Buffer(), true, 0);
    }
    QByteArray Contents() const
    {
        const auto bytes = BufferBytes(doc->Buffer());
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }
    void TearDown() override
    {
        caret.Unbind();
    }
};

TEST_F(UndoListTest, WithoutLevelsEditsGoAheadAndUndoStaysDisabled)
{
    Open("abcdef", 0, 0);
    caret.Seek(2);
    EXPECT_TRUE(doc->OverwriteAt(caret, "XY", 2));
    EXPECT_EQ(Contents(), QByteArray("abXYef"));
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_EQ(doc->Undo(caret), -1);
}

TEST_F(UndoListTest, OnlyTheLastLevelsEditsCanBeUndone)
{
    Open("0000", 3, 3);
    for (int i = 0; i < 4; ++i) {
        caret.Seek(i);
        ASSERT_TRUE(doc->OverwriteAt(caret, "1", 1));
    }
    int undone = 0;
    while (doc->CanUndo() && doc->Undo(caret) >= 0)
        ++undone;
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(Contents(), QByteArray("1000"));
    EXPECT_TRUE(doc->IsModified()) << "the first edit is still in the file";
}

TEST_F(UndoListTest, EditsOfAnySizeAreUndoneAndOnlyMissingMemoryAsks)
{
    Open(RandomBytes(200000, 1));
    const QByteArray original = Contents();
    for (const int32_t count : {MAX_UNDO_BLOCK, MAX_UNDO_BLOCK + 1, 150000}) {
        SCOPED_TRACE(count);
        caret.Seek(10);
        ASSERT_TRUE(doc->DeleteAt(caret, count));
        EXPECT_EQ(messages.Count(), 0) << "no question while memory lasts";
        ASSERT_GE(doc->Undo(caret), 0);
        EXPECT_EQ(Contents(), original);
        ASSERT_GE(doc->Redo(caret), 0);
        EXPECT_EQ(doc->Size(), 200000 - count);
        ASSERT_GE(doc->Undo(caret), 0);
        EXPECT_EQ(Contents(), original);
    }

    doc->UndoList().InjectPieceFailure(true);
    messages.Answer(MsgResult::No);
    EXPECT_FALSE(doc->DeleteAt(caret, MAX_UNDO_BLOCK + 1));
    EXPECT_EQ(messages.Last(),
              "Cannot undo/redo this edit because it exceeds the maximum undo block size (or there is not enough "
              "memory). Undo buffers will be cleared.\n\nDo you want to proceed anyway?");
    EXPECT_EQ(Contents(), original) << "No leaves the file unchanged";

    messages.Answer(MsgResult::Yes);
    EXPECT_TRUE(doc->DeleteAt(caret, MAX_UNDO_BLOCK + 1));
    EXPECT_EQ(doc->Size(), 200000 - MAX_UNDO_BLOCK - 1);
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_FALSE(doc->CanRedo());
}

TEST_F(UndoListTest, WithoutWarningsALargeEditClearsTheHistorySilently)
{
    Open(RandomBytes(20000, 1));
    askWithoutHistory = false;
    caret.Seek(0);
    ASSERT_TRUE(doc->OverwriteAt(caret, "x", 1));
    doc->UndoList().InjectPieceFailure(true);
    EXPECT_TRUE(doc->DeleteAt(caret, 17000));
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_FALSE(doc->CanUndo());
}

TEST_F(UndoListTest, UndoingALargeInsertAsksAboutRedoWhenMemoryIsShort)
{
    Open("head-tail");
    caret.Seek(4);
    const QByteArray inserted = RandomBytes(MAX_UNDO_BLOCK + 10, 3);
    ASSERT_EQ(doc->InsertAt(caret, inserted.constData(), int32_t(inserted.size())), int32_t(inserted.size()));
    const QByteArray edited = Contents();
    doc->RedoList().InjectPieceFailure(true);

    messages.Answer(MsgResult::No);
    EXPECT_EQ(doc->Undo(caret), -1);
    EXPECT_EQ(messages.Last(),
              "Cannot redo this edit because it exceeds the maximum redo block size (or there is not enough memory). "
              "Redo buffer will be cleared.\n\nDo you want to proceed anyway?");
    EXPECT_EQ(Contents(), edited) << "No abandons the undo";
    EXPECT_TRUE(doc->CanUndo());

    messages.Answer(MsgResult::Yes);
    EXPECT_EQ(doc->Undo(caret), 4);
    EXPECT_EQ(Contents(), QByteArray("head-tail"));
    EXPECT_FALSE(doc->CanRedo()) << "Yes goes on without an inverse";
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(UndoListTest, TypingAndUndoingLeavesTheDocumentUnmodified)
{
    Open("abc");
    caret.Seek(1);
    ASSERT_TRUE(doc->OverwriteAt(caret, "Z", 1));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->UndoList().StoredBytes(), 0) << "one-byte entries need no allocation";
    doc->Undo(caret);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->LastEditLength(), 1);
}

TEST_F(UndoListTest, ANewEditAfterUndoDisablesRedo)
{
    Open("abc");
    caret.Seek(0);
    doc->OverwriteAt(caret, "1", 1);
    doc->Undo(caret);
    EXPECT_TRUE(doc->CanRedo());
    doc->OverwriteAt(caret, "2", 1);
    EXPECT_FALSE(doc->CanRedo());
}

TEST_F(UndoListTest, SavingKeepsBothListsAndOnlyTheSavedStateIsUnmodified)
{
    Open("abc");
    caret.Seek(0);
    doc->InsertAt(caret, "12", 2);
    doc->OverwriteAt(caret, "3", 1);
    doc->Undo(caret);
    ASSERT_TRUE(doc->OnSaveDocument(dir.filePath("saved.bin")));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->OriginalSize(), 3);
    EXPECT_EQ(doc->Size(), 5);
    // Every step away from the saved contents is a modification, undo or redo.
    const struct {
        bool undo;
        const char* contents;
        bool modified;
    } steps[] = {{false, "32abc", true}, {true, "12abc", false}, {true, "abc", true}, {false, "12abc", false}};
    for (const auto& step : steps) {
        ASSERT_TRUE(step.undo ? doc->CanUndo() : doc->CanRedo()) << step.contents;
        ASSERT_GE(step.undo ? doc->Undo(caret) : doc->Redo(caret), 0);
        EXPECT_EQ(Contents(), QByteArray(step.contents));
        EXPECT_EQ(doc->IsModified(), step.modified) << step.contents;
    }
}

TEST_F(UndoListTest, ReadOnlyRefusesEditsAndHistory)
{
    Open("abc");
    caret.Seek(0);
    doc->OverwriteAt(caret, "1", 1);
    doc->SetReadOnly(true);
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_EQ(doc->Undo(caret), -1);
    EXPECT_FALSE(doc->OverwriteAt(caret, "2", 1));
    EXPECT_FALSE(doc->DeleteAt(caret, 1));
    EXPECT_EQ(doc->InsertAt(caret, "x", 1), 0);
    EXPECT_EQ(Contents(), QByteArray("1bc"));
}

TEST_F(UndoListTest, ReplaceAllStoresEachDistinctValueOnce)
{
    Open("xAAxAAxAAxAA");
    const std::vector<OccurrencePair> pairs = {{1, 0}, {5, 0}, {9, 0}, {13, 0}};
    const uint8_t old[] = {'A', 'A'};
    ASSERT_TRUE(doc->RecordReplaceAll({2, 3, 1, old, &pairs}));
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, 0);
    for (const OccurrencePair& p : pairs) {
        at.Seek(p.offset);
        at.Insert(1);
        at.Write("bcd", 3);
    }
    doc->SetModifiedFlag(true);
    ASSERT_EQ(Contents(), QByteArray("xbcdxbcdxbcdxbcd"));
    EXPECT_EQ(doc->UndoList().StoredBytes(), 8 + 12 * 4 + 8 + 2);

    EXPECT_EQ(doc->Undo(caret), 1);
    EXPECT_EQ(Contents(), QByteArray("xAAxAAxAAxAA"));
    EXPECT_EQ(doc->RedoList().StoredBytes(), 8 + 12 * 4 + 8 + 3) << "the redo stores \"bcd\" once";
    EXPECT_EQ(doc->Redo(caret), 1);
    EXPECT_EQ(Contents(), QByteArray("xbcdxbcdxbcdxbcd"));
}

// The view selects from the caret over the last edit length; the core's
// part is to leave both on the block it put back.
TEST_F(UndoListTest, UndoAndRedoOfAMoveLeaveTheCaretAndTheEditLengthOnTheBlock)
{
    Open("0123456789");
    ASSERT_TRUE(doc->MoveBlock(caret, 1, 3, 8));
    EXPECT_EQ(Contents(), QByteArray("0456712389"));
    EXPECT_EQ(doc->Undo(caret), 1);
    EXPECT_EQ(Contents(), QByteArray("0123456789"));
    EXPECT_EQ(caret.Offset(), 1);
    EXPECT_EQ(doc->LastEditLength(), 3);
    EXPECT_EQ(doc->Redo(caret), 1);
    EXPECT_EQ(Contents(), QByteArray("0456712389"));
    EXPECT_EQ(caret.Offset(), 5);
    EXPECT_EQ(doc->LastEditLength(), 3);
}

TEST_F(UndoListTest, ShrinkingTheLevelsClearsTheHistory)
{
    Open("abc");
    doc->OverwriteAt(caret, "1", 1);
    doc->ConfigureHistory(100, 100);
    EXPECT_TRUE(doc->CanUndo()) << "the same capacity keeps the entries";
    doc->ConfigureHistory(5, 500);
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_EQ(doc->RedoList().Capacity(), 6) << "redo never holds more levels than undo";
}

} // namespace

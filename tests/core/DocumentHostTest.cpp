// What a document hands to the program around it: problems as values, the
// decision about edits without history, long work and state changes, each
// in the order it happens.
#include "BufferModel.h"
#include "TestFiles.h"

#include "core/BinEditDoc.h"

#include <QStringList>
#include <functional>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

// Writes every call down as one line and gives one answer to every question.
class RecordingHost : public IDocumentHost {
public:
    void OnProblem(const CoreProblem& problem) override
    {
        events << QStringLiteral("problem %1 %2 %3").arg(int(problem.error)).arg(problem.fileError).arg(problem.path);
    }
    bool ProceedWithoutHistory(HistoryLoss loss) override
    {
        events << QStringLiteral("ask %1").arg(loss == HistoryLoss::Undo ? "undo" : "redo");
        return answer;
    }
    void WorkStarted(DocumentWork work, const QString& path) override
    {
        events << QStringLiteral("start %1 %2").arg(int(work)).arg(path);
    }
    void WorkEnded() override { events << QStringLiteral("end"); }
    void StateChanged(CBinEditDoc&) override { events << QStringLiteral("state"); }

    QStringList events;
    bool answer = false;
};

QString Problem(CoreError error, int fileError = 0, const QString& path = {})
{
    return QStringLiteral("problem %1 %2 %3").arg(int(error)).arg(fileError).arg(path);
}
QString Start(DocumentWork work, const QString& path = {})
{
    return QStringLiteral("start %1 %2").arg(int(work)).arg(path);
}

class DocumentHostTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingHost host;
    CBinEditDoc doc{&host};
    CSelectionPos caret;

    void Open(const QByteArray& bytes)
    {
        const QString path = dir.filePath("f.bin");
        WriteWholeFile(path, bytes);
        ASSERT_TRUE(doc.OnOpenDocument(path));
        caret.Bind(&doc.Buffer(), true, 0);
        host.events.clear();
    }
    void TearDown() override { caret.Unbind(); }
};

TEST_F(DocumentHostTest, AFailedOpenReportsTheFileWhileTheWorkIsShown)
{
    const QString path = dir.filePath("missing.bin");
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(host.events, QStringList({Start(DocumentWork::Opening, path), Problem(CoreError::FileError, ENOENT, path),
                                        QStringLiteral("end")}));
    EXPECT_EQ(doc.LastProblem().error, CoreError::FileError);
    EXPECT_EQ(doc.LastProblem().path, path);
}

TEST_F(DocumentHostTest, UndoingALargeInsertionAsksAboutTheRedoHistory)
{
    Open("ab");
    caret.Seek(1);
    const QByteArray block = RandomBytes(MAX_UNDO_BLOCK + 1, 6);
    ASSERT_EQ(doc.InsertAt(caret, block.constData(), int32_t(block.size())), int32_t(block.size()));
    host.events.clear();
    doc.RedoList().InjectPieceFailure(true);  // no memory for the inverse
    EXPECT_EQ(doc.Undo(caret), -1) << "the host said no";
    EXPECT_EQ(host.events, QStringList({Start(DocumentWork::UndoingRedoing), "ask redo", "end"}));
    EXPECT_EQ(doc.Size(), int32_t(block.size()) + 2);
}

TEST_F(DocumentHostTest, WithoutAHostNobodyCanAgreeSoTheEditIsRefused)
{
    CBinEditDoc alone;
    const QString path = dir.filePath("g.bin");
    WriteWholeFile(path, RandomBytes(20000, 7));
    ASSERT_TRUE(alone.OnOpenDocument(path));
    CBufferPos at;
    at.Bind(&alone.Buffer(), false, 0);
    alone.UndoList().InjectPieceFailure(true);
    EXPECT_FALSE(alone.DeleteAt(at, MAX_UNDO_BLOCK + 1));
    EXPECT_EQ(alone.Size(), 20000);
    EXPECT_TRUE(alone.DeleteAt(at, MAX_UNDO_BLOCK));
}

TEST_F(DocumentHostTest, ProblemsOfEditsMadeStraightOnTheBufferReachTheHost)
{
    Open("0123456789");
    CBufferPos at(caret);
    EXPECT_EQ(at.Insert(MAX_FILE_SIZE), 0);
    EXPECT_EQ(host.events, QStringList({Problem(CoreError::SizeLimitOnInsert)}));
    EXPECT_EQ(doc.LastProblem().error, CoreError::SizeLimitOnInsert);
    EXPECT_EQ(doc.Buffer().LastProblem().error, CoreError::SizeLimitOnInsert);

    EXPECT_EQ(at.Insert(1), 1);
    EXPECT_FALSE(doc.Buffer().LastProblem()) << "each insertion starts without a problem";
}

TEST_F(DocumentHostTest, TheModifiedFlagAndTheReadOnlySwitchAreAnnounced)
{
    doc.SetModifiedFlag(true);
    doc.SetReadOnly(true);
    EXPECT_EQ(host.events, QStringList({"state", "state"}));
}

} // namespace

namespace {

class RecordingView : public IDocView {
public:
    void OnDocumentChanged(IDocView*, const DocumentChange& change) override { changes.push_back(change); }
    void OnInitialUpdate() override {}
    std::vector<DocumentChange> changes;
};

} // namespace

// Each edit tells the document's views where it happened and how many bytes
// went and came, whatever kind of edit it was.
TEST_F(DocumentHostTest, EditsAnnounceWhereAndHowManyBytesWentAndCame)
{
    Open(QByteArray(100, 'x'));
    RecordingView view;
    doc.AddView(&view);
    CBufferPos at;
    at.Bind(&doc.Buffer(), false, 10);
    const struct {
        const char* what;
        std::function<bool()> edit;
        DocumentChange expected;
    } cases[] = {
        {"overwrite", [&] { return doc.OverwriteAt(at, "abc", 3); }, DocumentChange::Overwritten(10, 3)},
        {"overwrite past the end", [&] { at.Seek(98); return doc.OverwriteAt(at, "abcd", 4); },
         DocumentChange::Overwritten(98, 2)},
        {"insert", [&] { at.Seek(5); return doc.InsertAt(at, "12", 2) == 2; }, DocumentChange::Replaced(5, 0, 2)},
        {"delete", [&] { at.Seek(7); return doc.DeleteAt(at, 4); }, DocumentChange::Replaced(7, 4, 0)},
        {"replace growing", [&] { at.Seek(20); return doc.ReplaceAt(at, 2, "wxyz", 4); },
         DocumentChange::Replaced(20, 2, 4)},
        {"replace shrinking", [&] { at.Seek(30); return doc.ReplaceAt(at, 5, "q", 1); },
         DocumentChange::Replaced(30, 5, 1)},
        {"move a block forward", [&] { return doc.MoveBlock(at, 40, 10, 60); }, DocumentChange::Overwritten(40, 20)},
        {"move a block back", [&] { return doc.MoveBlock(at, 60, 5, 45); }, DocumentChange::Overwritten(45, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view.changes.clear();
        ASSERT_TRUE(c.edit());
        ASSERT_EQ(view.changes.size(), 1u);
        EXPECT_EQ(view.changes[0], c.expected);
    }
    // The view that made a change is not told of it.
    view.changes.clear();
    at.Seek(0);
    ASSERT_TRUE(doc.OverwriteAt(at, "z", 1, &view));
    EXPECT_TRUE(view.changes.empty());
    doc.RemoveView(&view);
}

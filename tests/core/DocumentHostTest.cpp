// What a document hands to the program around it: problems as values, the
// decision about edits without history, long work and state changes, each
// in the order it happens.
#include "BufferModel.h"
#include "TestFiles.h"

#include "core/BinEditDoc.h"

#include <QStringList>
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

// The program's host for documents: the texts of the core's problems, its
// question about edits without history, and the wait cursor and status
// texts around long work.
#include "MessageRecorder.h"
#include "TestFiles.h"
#include "core/BinEditDoc.h"

#include "platform/FileErrors.h"
#include "platform/StatusHooks.h"
#include "tools/DocumentFeedback.h"

#include <QStringList>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

namespace {

using platform::MsgResult;

class DocumentFeedbackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetStatusTextHandler([this](const QString& text) { statuses << text; });
        platform::SetWaitCursorHandler([this](bool busy) { cursors << (busy ? "wait" : "normal"); });
    }
    void TearDown() override
    {
        platform::SetStatusTextHandler(nullptr);
        platform::SetWaitCursorHandler(nullptr);
    }
    QString File(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        WriteWholeFile(path, bytes);
        return path;
    }

    QTemporaryDir dir;
    MessageRecorder messages;
    QStringList statuses;
    QStringList cursors;
    bool askWithoutHistory = true;
    DocumentFeedback feedback{{}, [this] { return askWithoutHistory; }};
};

TEST_F(DocumentFeedbackTest, EveryProblemHasItsOneText)
{
    const QString path = QStringLiteral("/tmp/some file.bin");
    const struct {
        CoreProblem problem;
        QString text;
    } cases[] = {
        {CoreProblem(CoreError::OutOfMemory),
         "Out of memory.\n\nThere is not enough memory to complete the current operation. To prevent loss of data, you "
         "should not use this program in low memory conditions. If the data you are working with needs to be saved, "
         "you should save it now and then terminate the program. Note that the last edit performed may have not "
         "produced the expected results."},
        {CoreProblem(CoreError::SizeLimitOnLoad),
         "Unable to load file : Exceeds file size limit of 9,223,372,036,854,775,807 bytes."},
        {CoreProblem(CoreError::SizeLimitOnInsert),
         "Cannot insert data : Will cause file buffer to exceed size limit of 9,223,372,036,854,775,807 bytes."},
        {CoreProblem(CoreError::FileError, ENOENT, path), QStringLiteral("%1 was not found.").arg(path)},
        {CoreProblem(CoreError::FileError, EACCES, path), QStringLiteral("Access to %1 was denied.").arg(path)},
        {CoreProblem(CoreError::HistoryOutOfSync),
         "Cannot undo this edit : Out of memory.\n\nUndo buffers are out of sync with file buffer and will be "
         "cleared."},
        {CoreProblem(CoreError::NoMemoryForHistory),
         "There is not enough memory available for current Undo and Redo settings. Undo and/or Redo may not be "
         "available."},
        {CoreProblem(CoreError::CommandOutOfMemory), QStringLiteral("Out of memory.")},
    };
    for (const auto& c : cases) {
        feedback.OnProblem(c.problem);
        EXPECT_EQ(messages.Last(), c.text) << int(c.problem.error);
        EXPECT_EQ(messages.Messages().back().buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(messages.Messages().back().icon, platform::MsgIcon::Error);
    }
    EXPECT_EQ(messages.Count(), int(std::size(cases)));
    feedback.OnProblem(CoreProblem());
    EXPECT_EQ(messages.Count(), int(std::size(cases))) << "no problem, no message";
}

TEST_F(DocumentFeedbackTest, TheQuestionIsAskedOnlyWithTheWarningOn)
{
    messages.Answer(MsgResult::Yes);
    messages.Answer(MsgResult::No);
    EXPECT_TRUE(feedback.ProceedWithoutHistory(HistoryLoss::Undo));
    EXPECT_EQ(messages.Last(),
              "Cannot undo/redo this edit because it exceeds the maximum undo block size (or there is not enough "
              "memory). Undo buffers will be cleared.\n\nDo you want to proceed anyway?");
    EXPECT_EQ(messages.Messages().back().buttons, platform::MsgButtons::YesNo);
    EXPECT_FALSE(feedback.ProceedWithoutHistory(HistoryLoss::Redo));
    EXPECT_EQ(messages.Last(),
              "Cannot redo this edit because it exceeds the maximum redo block size (or there is not enough memory). "
              "Redo buffer will be cleared.\n\nDo you want to proceed anyway?");

    askWithoutHistory = false;
    EXPECT_TRUE(feedback.ProceedWithoutHistory(HistoryLoss::Undo));
    EXPECT_TRUE(feedback.ProceedWithoutHistory(HistoryLoss::Redo));
    EXPECT_EQ(messages.Count(), 2);
}

TEST_F(DocumentFeedbackTest, LongWorkShowsTheWaitCursorAndItsStatusText)
{
    const QString path = File("f.bin", "0123456789");
    const QString other = File("g.bin", "abc");
    const QString copy = dir.filePath("copy.bin");
    CBinEditDoc doc(&feedback);
    CBufferPos at;
    const struct {
        const char* name;
        std::function<bool()> run;
        QString status;
    } cases[] = {
        {"open", [&] { return doc.OnOpenDocument(path); }, QStringLiteral("Loading %1").arg(path)},
        {"save", [&] { return doc.OnSaveDocument(path); }, QStringLiteral("Saving %1").arg(path)},
        {"copy", [&] { return doc.SaveCopy(copy); }, QStringLiteral("Saving %1...").arg(copy)},
        {"import", [&] { return doc.LoadForImport(other); }, QStringLiteral("Loading %1...").arg(other)},
        {"undo",
         [&] {
             at.Bind(&doc.Buffer(), false, 0);
             return doc.DeleteAt(at, 1) && (statuses.clear(), cursors.clear(), doc.Undo(at) == 0);
         },
         QStringLiteral("Undoing/redoing edit...")},
    };
    for (const auto& c : cases) {
        statuses.clear();
        cursors.clear();
        ASSERT_TRUE(c.run()) << c.name;
        EXPECT_EQ(statuses, QStringList({c.status, QString()})) << c.name;
        EXPECT_EQ(cursors, QStringList({"wait", "normal"})) << c.name;
    }
    EXPECT_EQ(messages.Count(), 0);
}

} // namespace

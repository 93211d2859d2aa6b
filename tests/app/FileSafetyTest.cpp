// The program against files that misbehave: pipes named on the command line
// or as the bookmark file, a file-size limit during Save, files changed by
// another program while open, names that are not UTF-8.
#include "DocumentBytes.h"
#include "AppTestSupport.h"
#include "ChildProcess.h"
#include "TestFiles.h"
#include "core/BinEditDoc.h"
#include "platform/FileNames.h"

#include <QDir>
#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

} // namespace

class FileSafetyTest : public AppTest {
protected:
    QString MakeFifo(const QString& name)
    {
        const QString path = files_.filePath(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        return path;
    }
    static QString PipeText(const QString& path)
    {
        return QString("Unable to open %1 : It is a device, a pipe or a socket, not a file.").arg(path);
    }
};

// Without a writer, an ordinary open of a pipe waits forever: the program
// would show no window at all.
TEST_F(FileSafetyTest, APipeOnTheCommandLineIsRefusedAtOnce)
{
    const QString pipe = MakeFifo("p");
    const ProgramRun run = RunProgram({pipe}, files_.filePath("log"));
    ASSERT_TRUE(run.finished) << "start-up blocked on the pipe";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.messages, PipeText(pipe) + "\n");
}

TEST_F(FileSafetyTest, APipeAsTheBookmarkFileDoesNotBlockStartUp)
{
    const QString pipe = MakeFifo("marks.bmk");
    Store("ReloadBookmarks", 1);
    Store("BookmarksFile", pipe);
    // A missing file on the command line ends start-up right after the settings.
    const QString gone = files_.filePath("gone.bin");
    const ProgramRun run = RunProgram({gone}, files_.filePath("log"));
    ASSERT_TRUE(run.finished) << "start-up blocked on the bookmark file";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.messages.contains(pipe)) << run.messages.toStdString();
    EXPECT_TRUE(run.messages.endsWith(QString("%1 was not found.\n").arg(gone))) << run.messages.toStdString();
}

// A save past a file-size limit, in a child: with the dispositions start-up
// set it fails with a message and keeps the edits; with SIGXFSZ's default
// the kernel ends it half-way, as SIGKILL would. Either way the original is
// left as it was, and nothing else in its folder.
TEST_F(FileSafetyTest, SaveBeyondAFileSizeLimitKeepsTheOriginalWhetherItFailsOrIsKilled)
{
    const QByteArray original = RandomBytes(600 * 1024, 3);
    const QString path = MakeFile("big.bin", original);
    ASSERT_TRUE(Start({path}));
    CBinEditDoc* doc = ActiveDoc();
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag(true);
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "killed" : "refused");
        const ChildOutcome outcome = RunInChildProcess([&] {
            if (killed)
                ::signal(SIGXFSZ, SIG_DFL);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 300 * 1024;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            messages_.Clear();
            if (Docs().Save(doc))
                return 1;
            if (!doc->IsModified())
                return 2;
            return messages_.Last() == QString("%1 is larger than the file size limit allows.").arg(path) ? 0 : 3;
        });
        ASSERT_TRUE(outcome.finished);
        EXPECT_EQ(outcome.exited, !killed) << "ended by signal " << outcome.signal;
        EXPECT_EQ(killed ? outcome.signal : outcome.code, killed ? SIGXFSZ : 0);
        EXPECT_EQ(ReadWholeFile(path), original);
        EXPECT_EQ(QDir(files_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"big.bin"})
            << "a temporary file was left";
    }
}

TEST_F(FileSafetyTest, SavingOverAFileChangedByAnotherProgramAsksFirst)
{
    enum class Change { None, Rewritten, ReplacedSameSize, Deleted };
    const struct {
        const char* what;
        Change change;
        bool asks;
    } cases[] = {
        {"unchanged", Change::None, false},
        {"rewritten", Change::Rewritten, true},
        {"replaced by a file of the same size", Change::ReplacedSameSize, true},
        {"deleted", Change::Deleted, false},
    };
    ASSERT_TRUE(Start());
    for (const auto& c : cases) {
        const QString path = MakeFile(QString::fromLatin1(c.what) + ".bin", "ours");
        CBinEditDoc* doc = Docs().OpenDocumentFile(path);
        ASSERT_NE(doc, nullptr);
        doc->SetModifiedFlag(true);
        const QByteArray theirs = c.change == Change::Rewritten ? "their longer text" : "othr";
        if (c.change == Change::Rewritten)
            WriteWholeFile(path, theirs);
        if (c.change == Change::ReplacedSameSize) {
            WriteWholeFile(path + ".new", theirs);
            ASSERT_EQ(::rename(QFile::encodeName(path + ".new").constData(), QFile::encodeName(path).constData()), 0);
        }
        if (c.change == Change::Deleted) {
            ASSERT_TRUE(QFile::remove(path));
        }

        messages_.Clear();
        if (c.asks)
            messages_.Answer(platform::MsgResult::No);
        const bool savedAfterNo = Docs().Save(doc);
        const QString question =
            QString("%1 has been changed by another program since it was opened. Save and overwrite those changes?").arg(path);
        if (!c.asks) {
            EXPECT_TRUE(savedAfterNo) << c.what;
            EXPECT_TRUE(messages_.Messages().empty()) << c.what;
            EXPECT_EQ(ReadWholeFile(path), "ours") << c.what;
            continue;
        }
        EXPECT_FALSE(savedAfterNo) << c.what;
        EXPECT_EQ(messages_.Texts(), QStringList{question}) << c.what;
        EXPECT_EQ(ReadWholeFile(path), theirs) << c.what << ": No must keep their changes";
        EXPECT_TRUE(doc->IsModified()) << c.what;

        messages_.Clear();
        messages_.Answer(platform::MsgResult::Yes);
        EXPECT_TRUE(Docs().Save(doc)) << c.what;
        EXPECT_EQ(ReadWholeFile(path), "ours") << c.what;
        // The saved file is the one it knows now: no question next time.
        doc->SetModifiedFlag(true);
        messages_.Clear();
        EXPECT_TRUE(Docs().Save(doc)) << c.what;
        EXPECT_TRUE(messages_.Messages().empty()) << c.what;
    }
}

TEST_F(FileSafetyTest, ComingBackToAFileChangedOnDiskOffersToReloadItOncePerChange)
{
    const QString path = MakeFile("f.bin", "first");
    ASSERT_TRUE(Start({path}));
    const QString question = QString("%1 has been changed by another program.\n\nDo you want to reload it?").arg(path);

    Docs().CheckChangedOnDisk(ActiveDoc());
    EXPECT_TRUE(messages_.Messages().empty()) << "nothing changed";

    WriteWholeFile(path, "second version");
    messages_.Answer(platform::MsgResult::Yes);
    Docs().CheckChangedOnDisk(ActiveDoc());
    EXPECT_EQ(messages_.Texts(), QStringList{question});
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_EQ(DocumentBytes(*ActiveDoc()), "second version");

    WriteWholeFile(path, "third");
    messages_.Clear();
    messages_.Answer(platform::MsgResult::No);
    Docs().CheckChangedOnDisk(ActiveDoc());
    Docs().CheckChangedOnDisk(ActiveDoc());
    EXPECT_EQ(messages_.Texts(), QStringList{question}) << "asked once for one change";
    EXPECT_EQ(DocumentBytes(*ActiveDoc()), "second version");
}

TEST_F(FileSafetyTest, AFileNameThatIsNotUtf8OpensSavesAndShowsReplacementCharacters)
{
    const QByteArray raw = platform::EncodeFileName(files_.path()) + "/a\xff" "b.bin";
    // As a shell passes it: relative to the working directory, or whole.
    for (const QByteArray& argument : {raw, QByteArray("a\xff" "b.bin")}) {
        SCOPED_TRACE(argument.toStdString());
        std::ofstream(raw.constData(), std::ios::binary) << "bytes";
        const QString saved = QDir::currentPath();
        QDir::setCurrent(files_.path());
        const bool started = Start({platform::DecodeFileName(argument)});
        QDir::setCurrent(saved);
        ASSERT_TRUE(started);
        CBinEditDoc* doc = ActiveDoc();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(DocumentBytes(*doc), "bytes");
        EXPECT_EQ(platform::EncodeFileName(doc->PathName()), raw);
        EXPECT_TRUE(MainTitle().contains(QStringLiteral("a\uFFFDb.bin"))) << MainTitle().toStdString();
        doc->SetModifiedFlag(true);
        EXPECT_TRUE(Docs().Save(doc));
        EXPECT_TRUE(messages_.Messages().empty());
        EXPECT_EQ(RawFolderEntries(files_.path()), QList<QByteArray>{"a\xff" "b.bin"}) << "saved under another name";
        Exit();
        ::unlink(raw.constData());  // QTemporaryDir cannot remove what Qt cannot name
    }
}

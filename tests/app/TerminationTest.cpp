// SIGTERM while the program works: a print into a PDF file from the command
// line, Compare Files and a task behind its progress window stop as Esc
// stops them and the program then closes; a request during a start-up
// message box ends the program. The program runs as a second process each
// time: the real executable, or a forked copy of this one that starts the
// application the way main() does and sends the signal to itself at a
// chosen moment. Also print targets that are not plain files.
#include "AppTestSupport.h"
#include "ChildProcess.h"
#include "TestFiles.h"
#include "core/BinEditDoc.h"
#include "ext/TaskExtensions.h"
#include "platform/BackgroundRemover.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/ItemList.h"
#include "tooldialogs/TaskCommands.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QProcessEnvironment EnvironmentWithLog(const QString& log)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!log.isEmpty())
        environment.insert("VANTREL_MESSAGE_LOG", log);
    return environment;
}

// Whether the process has its SIGTERM handler in place (from then on the
// signal no longer ends it on the spot).
bool CatchesSigterm(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

// The signal comes from inside the process once its event loop next runs,
// that is, in the middle of whatever the test starts right after.
void SigtermSoon(int delayMs)
{
    QTimer::singleShot(delayMs, [] { ::kill(::getpid(), SIGTERM); });
}

class TerminationTest : public AppTest {
protected:
    // Runs in the forked copy: start-up as main() does it.
    bool StartLikeTheProgram(const QStringList& arguments)
    {
        if (!Start(arguments))
            return false;
        app_->InstallTerminationHandler();
        return true;
    }
    // After the command has returned: the exit runs from the event loop.
    bool ClosedAsFileExitDoes() const
    {
        return WaitUntil([this] { return !Frame()->isVisible() && Docs().Count() == 0; }, 10000);
    }
};

} // namespace

TEST_F(TerminationTest, PrintToPdfEndedMidwayExitsNormallyAndLeavesNoFile)
{
    const QString big = MakeFile("big.bin", RandomBytes(4 << 20, 1));
    const QString pdf = files_.filePath("big.pdf");
    const QString log = files_.filePath("messages.log");
    QProcess process;
    process.setProcessEnvironment(EnvironmentWithLog(log));
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(VANTREL_EXECUTABLE), {"/pt", big, pdf});
    // Pages are being written.
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo(pdf).size() > 64 * 1024; }, 60000));
    ASSERT_EQ(process.state(), QProcess::Running) << "the print ended before the signal";
    ::kill(pid_t(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(pdf)) << "an unfinished PDF was left";
    EXPECT_FALSE(QFileInfo::exists(log)) << "a message was shown";
}

TEST_F(TerminationTest, CompareFilesEndedMidwayStopsAndTheProgramCloses)
{
    // Unrelated files: after the first byte the comparison searches both
    // files for a common run, reading them all the time.
    const QString a = MakeFile("a.bin", RandomBytes(1 << 20, 1));
    const QString b = MakeFile("b.bin", RandomBytes(1 << 20, 2));
    const ChildOutcome outcome = RunInChildProcess([&] {
        if (!StartLikeTheProgram({a, b}))
            return 10;
        ui_.otherwise = [](QDialog& dialog) {
            dialog.accept();
            return dialog.result();
        };
        SigtermSoon(0);
        Trigger(Cmd::ToolsCompareFiles);
        if (ui_.titles != QStringList{"Compare Files"})
            return 20;  // the comparison went on to show its findings
        return ClosedAsFileExitDoes() ? 0 : 30;
    });
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(outcome.exited) << "ended by signal " << outcome.signal;
    EXPECT_EQ(outcome.code, 0);
}

TEST_F(TerminationTest, ConvertDataEndedWhileTheTaskRunsAbandonsItsOutputAndTheProgramCloses)
{
    QTemporaryDir temp, modules;
    ASSERT_TRUE(QFile::copy(QStringLiteral(VANTREL_TEST_MODULE_DIR "/ScriptedTasks.vtx"),
                            modules.filePath("ScriptedTasks.vtx")));
    const QString path = MakeFile("data.bin", "unchanged bytes");
    const ChildOutcome outcome = RunInChildProcess([&] {
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        TaskExtensions registry(modules.path());
        if (!StartLikeTheProgram({path}))
            return 10;
        Frame()->TaskCommands().SetTaskRegistry(&registry);
        ui_.otherwise = [](QDialog& dialog) {
            auto* chooser = dynamic_cast<CItemList*>(&dialog);
            if (!chooser)
                return int(QDialog::Rejected);
            chooser->List()->setCurrentItem(chooser->List()->findItems("Slow Copy", Qt::MatchExactly).value(0));
            chooser->accept();
            return chooser->result();
        };
        CBinEditDoc* doc = ActiveDoc();
        // While the progress window waits for the task.
        SigtermSoon(500);
        Trigger(Cmd::ToolsConvertData);
        if (Docs().Count() != 1 || doc->IsModified())
            return 20;  // closed under the command, or the output was taken
        if (!ClosedAsFileExitDoes())
            return 30;
        platform::WaitForPendingRemovals();
        QStringList left;
        for (QDirIterator it(temp.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            left << it.next();
        if (!left.isEmpty())
            qWarning() << "left behind:" << left;
        return left.isEmpty() ? 0 : 40;
    });
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(outcome.exited) << "ended by signal " << outcome.signal;
    EXPECT_EQ(outcome.code, 0);
}

TEST_F(TerminationTest, RequestDuringAStartUpMessageBoxEndsTheProgram)
{
    const QString damaged = MakeFile("damaged.str", "not a structure collection");
    Store("StructuresFile", damaged);
    Store("ReloadStructures", 1);
    QProcess process;
    process.setProcessEnvironment(EnvironmentWithLog(QString()));
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(VANTREL_EXECUTABLE), QStringList());
    ASSERT_TRUE(process.waitForStarted(30000));
    ASSERT_TRUE(WaitUntil([&] { return CatchesSigterm(process.processId()); }, 30000));
    // Whether the box is up by now or comes next, the program must end
    // instead of opening its window after it.
    QThread::msleep(500);
    ::kill(pid_t(process.processId()), SIGTERM);
    const bool ended = process.waitForFinished(30000);
    if (!ended) {
        process.kill();
        process.waitForFinished(5000);
    }
    ASSERT_TRUE(ended) << "still running after the request";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(Stored("WindowPos").isValid()) << "settings were written although start-up never completed";
}

TEST_F(TerminationTest, PrintTargetThatIsNotAPlainFileIsRefusedWithoutWaiting)
{
    const QString a = MakeFile("a.bin", "printable");
    const QString fifo = files_.filePath("out.pdf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = files_.filePath("folder.pdf");
    ASSERT_TRUE(QDir().mkdir(folder));
    const struct {
        const char* what;
        QString target;
        QString message;
    } cases[] = {
        {"FIFO", fifo,
         QString("Unable to save %1 : It is a device, a pipe or a socket, not a file. It was left as it was.").arg(fifo)},
        {"folder", folder, QString("Access to %1 was denied.").arg(folder)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString log = files_.filePath(QString("%1.log").arg(c.what));
        // RunProgram gives up (and kills it) rather than wait for ever.
        const ProgramRun run = RunProgram({"/pt", a, c.target}, log);
        ASSERT_TRUE(run.finished) << "the print waited on its target";
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.messages, c.message + "\n");
    }
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the FIFO was replaced";
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

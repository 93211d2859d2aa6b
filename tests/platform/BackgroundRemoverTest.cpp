// Files handed to the background remover: all of them go, the queue is
// finished before the remover (and so the program) ends, and a removal that
// fails reaches the owning thread once, naming the file.
#include "MessageRecorder.h"

#include "platform/BackgroundRemover.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Failure {
    int error;
    QString path;
    QThread* thread;
};

class BackgroundRemoverTest : public ::testing::Test {
protected:
    QStringList MakeFiles(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            const QString path = dir_.filePath(QStringLiteral("file%1.tmp").arg(i));
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(i * 100, 'x'));
            paths << path;
        }
        return paths;
    }
    QStringList Left() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }
    // A name unlink refuses even for the superuser: a directory.
    QString Directory()
    {
        const QString path = dir_.filePath(QStringLiteral("a folder"));
        EXPECT_TRUE(QDir().mkdir(path));
        return path;
    }
    platform::BackgroundRemover::FailureFn Record()
    {
        return [this](int error, const QString& path) { failures_.push_back({error, path, QThread::currentThread()}); };
    }

    QTemporaryDir dir_;
    std::vector<Failure> failures_;
};

TEST_F(BackgroundRemoverTest, RemovesManyFilesAndTakesOneAlreadyGoneAsDone)
{
    platform::BackgroundRemover remover(Record());
    for (const QString& path : MakeFiles(500))
        remover.Remove(path);
    remover.Remove(dir_.filePath(QStringLiteral("never made.tmp")));
    remover.WaitForPending();
    EXPECT_EQ(Left(), QStringList());
    EXPECT_TRUE(failures_.empty());
}

TEST_F(BackgroundRemoverTest, EndingTheRemoverFinishesItsQueue)
{
    auto remover = std::make_unique<platform::BackgroundRemover>(Record());
    for (const QString& path : MakeFiles(300))
        remover->Remove(path);
    remover.reset();
    EXPECT_EQ(Left(), QStringList());
}

TEST_F(BackgroundRemoverTest, FailureReachesTheOwningThreadThroughItsEventLoopOnce)
{
    platform::BackgroundRemover remover(Record());
    const QString folder = Directory();
    const QStringList files = MakeFiles(3);
    remover.Remove(files[0]);
    remover.Remove(folder);
    remover.Remove(files[1]);
    // Nobody waits: the report arrives as an event of this thread.
    const QDeadlineTimer deadline(10000);
    while (failures_.empty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_EQ(failures_[0].error, EISDIR);
    EXPECT_EQ(failures_[0].path, folder);
    EXPECT_EQ(failures_[0].thread, QThread::currentThread());

    remover.WaitForPending();
    QCoreApplication::processEvents();
    EXPECT_EQ(failures_.size(), 1u) << "reported once";
    EXPECT_EQ(Left(), QStringList({"a folder", "file2.tmp"}));
}

TEST_F(BackgroundRemoverTest, ProgramRemoverShowsTheFileErrorNamingTheFileWhenWaitedFor)
{
    MessageRecorder messages;
    const QString folder = Directory();
    const QStringList files = MakeFiles(50);
    for (const QString& path : files)
        platform::RemoveFileInBackground(path);
    platform::RemoveFileInBackground(folder);
    platform::WaitForPendingRemovals();
    EXPECT_EQ(messages.Texts(), QStringList{"Access to " + folder + " was denied."});
    EXPECT_EQ(Left(), QStringList{"a folder"});
}

} // namespace

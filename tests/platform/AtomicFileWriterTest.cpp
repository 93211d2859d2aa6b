// The atomic writer with both kinds of temporary file: the unnamed one of
// file systems that have them and the named one used elsewhere. Either way
// the target changes only on Commit and keeps its permission bits.
#include "ChildProcess.h"
#include "ScopedWriteFaults.h"
#include "TestFiles.h"

#include "platform/AtomicFileWriter.h"
#include "platform/StretchCopy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(AtomicFileWriter, ReplacesTheTargetOnlyOnCommitAndLeavesNoTemporaryFile)
{
    const struct {
        const char* kind;
        bool named;
    } kinds[] = {{"unnamed temporary", false}, {"named temporary", true}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        const ScopedWriteFaults fallback({.noUnnamedTemporary = k.named});
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString target = dir.filePath("target.bin");
        WriteWholeFile(target, "old");
        ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const auto entries = [&] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); };

        {
            platform::AtomicFileWriter abandoned;
            ASSERT_TRUE(abandoned.Open(target));
            ASSERT_TRUE(abandoned.Write("never", 5));
        }
        EXPECT_EQ(ReadWholeFile(target), QByteArray("old"));
        EXPECT_EQ(entries(), QStringList{"target.bin"});

        platform::AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(target));
        ASSERT_TRUE(writer.Write("new contents", 12));
        // While writing, only a named temporary file shows in the folder.
        EXPECT_EQ(entries().size(), k.named ? 2 : 1);
        EXPECT_EQ(ReadWholeFile(target), QByteArray("old"));
        ASSERT_TRUE(writer.Commit()) << writer.Error();
        EXPECT_EQ(ReadWholeFile(target), QByteArray("new contents"));
        EXPECT_EQ(entries(), QStringList{"target.bin"});
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
    }
}

// A process killed in the middle of a save: the unnamed temporary file goes
// with it, the original stays as it was.
TEST(AtomicFileWriter, AWriterKilledHalfWayLeavesOnlyTheOriginal)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath("target.bin");
    WriteWholeFile(target, "original");
    const ChildOutcome outcome = RunInChildProcess([&] {
        platform::AtomicFileWriter writer;
        const QByteArray block(1 << 20, 'x');
        if (!writer.Open(target) || !writer.Write(block.constData(), block.size()))
            return 1;
        ::raise(SIGKILL);
        return 2;
    });
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.signal, SIGKILL) << "exit code " << outcome.code;
    EXPECT_EQ(ReadWholeFile(target), QByteArray("original"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"target.bin"});
}

// Ranges of another file copied in between plain writes, by the kernel and
// through memory, with a source that ends early (a failure to read it), a
// failing disk (a failure to write) and a file system that has no room;
// each checked byte for byte against the file it should give.
TEST(AtomicFileWriter, CopiesRangesOfAnotherFileAndRefusesWhenThereIsNoRoom)
{
    QTemporaryDir dir;
    const QByteArray source = RandomBytes(3 << 20, 21);
    const QString sourcePath = dir.filePath("source.bin");
    WriteWholeFile(sourcePath, source);
    const int fd = ::open(QFile::encodeName(sourcePath).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    struct Case {
        const char* name;
        bool kernelCopy;
        int64_t from;
        int64_t count;
        int writeFault;  // errno the disk fails the copy with; 0: none
        int error;       // the writer's error; 0: the copy succeeds
        int readError;   // the error as a failure to read the source
    };
    const Case cases[] = {
        {"whole file by the kernel", true, 0, 3 << 20, 0, 0, 0},
        {"whole file through memory", false, 0, 3 << 20, 0, 0, 0},
        {"middle by the kernel", true, 12345, 1 << 20, 0, 0, 0},
        {"middle through memory", false, 12345, 1 << 20, 0, 0, 0},
        {"nothing", true, 100, 0, 0, 0, 0},
        {"past the end by the kernel", true, (3 << 20) - 10, 20, 0, EIO, EIO},
        {"past the end through memory", false, (3 << 20) - 10, 20, 0, EIO, EIO},
        {"a failing disk by the kernel", true, 0, 1 << 20, ENOSPC, ENOSPC, 0},
        {"a failing disk through memory", false, 0, 1 << 20, EIO, EIO, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedWriteFaults copying({.noKernelCopy = !c.kernelCopy});
        const QString target = dir.filePath("target.bin");
        WriteWholeFile(target, "original");
        platform::AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(target));
        ASSERT_TRUE(writer.Write("head", 4));
        platform::ActiveWriteFaults().nextWriteError = c.writeFault;
        int readError = -1;
        const bool copied = writer.CopyFrom(fd, c.from, c.count, &readError);
        EXPECT_EQ(copied, c.error == 0);
        EXPECT_EQ(readError, c.readError);
        if (copied) {
            ASSERT_TRUE(writer.Write("tail", 4));
            ASSERT_TRUE(writer.Commit());
            EXPECT_EQ(ReadWholeFile(target), "head" + source.mid(c.from, c.count) + "tail");
        } else {
            EXPECT_EQ(writer.Error(), c.error);
            EXPECT_EQ(ReadWholeFile(target), "original");
        }
    }
    ::close(fd);

    const QString target = dir.filePath("target.bin");
    const ScopedWriteFaults nearlyFull({.freeSpace = 1000});
    platform::AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(target));
    EXPECT_TRUE(writer.CheckRoom(1000));
    EXPECT_FALSE(writer.CheckRoom(1001));
    EXPECT_EQ(writer.Error(), ENOSPC);
    EXPECT_EQ(ReadWholeFile(target), "original");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
}

// Holes of a sparse source stay holes in the copy, at its start, in its
// middle and at its end, whichever way the data between them is copied; the
// bytes read back are the source's, the copy takes no more disk than the
// data does, and StretchBytesWritten counts the data alone.
TEST(AtomicFileWriter, HolesOfASparseSourceStayHoles)
{
    QTemporaryDir dir;
    const QString sourcePath = dir.filePath("sparse.bin");
    constexpr int64_t kSize = int64_t(256) << 20;
    const QByteArray data = RandomBytes(64 << 10, 5);
    const int64_t dataAt[] = {0, int64_t(100) << 20};
    {
        QFile file(sourcePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kSize));
        for (const int64_t at : dataAt)
            ASSERT_TRUE(file.seek(at) && file.write(data) == data.size());
    }
    // The bytes of a stretch that lie in the data written, block-aligned.
    auto dataIn = [&](int64_t from, int64_t count) {
        int64_t bytes = 0;
        for (const int64_t at : dataAt)
            bytes += std::max<int64_t>(0, std::min<int64_t>(from + count, at + data.size()) - std::max(from, at));
        return bytes;
    };
    struct stat sourceInfo {};
    ASSERT_EQ(::stat(QFile::encodeName(sourcePath).constData(), &sourceInfo), 0);
    if (int64_t(sourceInfo.st_blocks) * 512 >= kSize / 2)
        GTEST_SKIP() << "this file system does not keep holes";
    const QByteArray source = ReadWholeFile(sourcePath);
    const int fd = ::open(QFile::encodeName(sourcePath).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    struct Case {
        const char* name;
        bool kernelCopy;
        int64_t from;
        int64_t count;
    };
    const Case cases[] = {
        {"whole file", true, 0, kSize},
        {"whole file through memory", false, 0, kSize},
        {"from inside the first data to inside the hole at the end", true, 1000, (200 << 20)},
        {"from inside a hole to inside the second data", true, 50 << 20, (50 << 20) + 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedWriteFaults copying({.noKernelCopy = !c.kernelCopy});
        const QString target = dir.filePath("copy.bin");
        platform::AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(target));
        EXPECT_EQ(platform::StretchBytesWritten(fd, c.from, c.count), dataIn(c.from, c.count));
        ASSERT_TRUE(writer.CopyFrom(fd, c.from, c.count));
        ASSERT_TRUE(writer.Commit());
        EXPECT_TRUE(ReadWholeFile(target) == source.mid(c.from, c.count)) << "the copy's bytes differ";
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
        EXPECT_EQ(int64_t(info.st_size), c.count);
        EXPECT_LT(int64_t(info.st_blocks) * 512, 4 << 20) << "holes were written as zeros";
    }
    ::close(fd);
}

// The modules' file wrapper: creation and access modes, counts moved, the
// work buffers, and failures that only show when the file is closed.
#include "TestFiles.h"
#include "modules/common/FileHandle.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FileHandleTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

TEST_F(FileHandleTest, OpenExistingFailsOnMissingFileAndCreatesNothing)
{
    FileHandle file;
    EXPECT_FALSE(file.Open(Path("missing.bin"), FileHandle::OpenExisting, FileHandle::Read));
    EXPECT_FALSE(file.Open(Path("missing.bin"), FileHandle::OpenExisting, FileHandle::Write));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(QFile::exists(Path("missing.bin")));
}

TEST_F(FileHandleTest, NullOrEmptyPathAndFoldersAreRefused)
{
    FileHandle file;
    EXPECT_FALSE(file.Open(static_cast<const char16_t*>(nullptr), FileHandle::OpenExisting, FileHandle::Read));
    EXPECT_FALSE(file.Open(u"", FileHandle::OpenExisting, FileHandle::Read));
    EXPECT_FALSE(file.Open(QString(), FileHandle::CreateAlways, FileHandle::Write));
    EXPECT_FALSE(file.Open(dir_.path(), FileHandle::OpenExisting, FileHandle::Read));
    EXPECT_FALSE(file.Open(dir_.path(), FileHandle::CreateAlways, FileHandle::Write));
    EXPECT_FALSE(file.Open(Path("no/such/folder.bin"), FileHandle::CreateAlways, FileHandle::Write));
}

TEST_F(FileHandleTest, ReadsInChunksReportingTheCountMoved)
{
    WriteWholeFile(Path("in.bin"), RandomBytes(2500, 1));
    FileHandle file;
    ASSERT_TRUE(file.Open(Path("in.bin"), FileHandle::OpenExisting, FileHandle::Read));
    EXPECT_EQ(file.Size(), 2500);
    char chunk[1024];
    QByteArray seen;
    for (int64_t expected : {1024, 1024, 452, 0}) {
        ASSERT_TRUE(file.ReadBytes(chunk, sizeof chunk));
        EXPECT_EQ(file.Moved(), expected);
        seen.append(chunk, file.Moved());
    }
    EXPECT_EQ(seen, RandomBytes(2500, 1));
}

TEST_F(FileHandleTest, CreateAlwaysTruncatesAndOpenOrCreateKeepsTheRest)
{
    WriteWholeFile(Path("out.bin"), "0123456789");
    {
        FileHandle file;
        ASSERT_TRUE(file.Open(Path("out.bin"), FileHandle::OpenOrCreate, FileHandle::Write));
        ASSERT_TRUE(file.WriteBytes("ab", 2));
        EXPECT_EQ(file.Moved(), 2);
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(ReadWholeFile(Path("out.bin")), QByteArray("ab23456789"));
    {
        FileHandle file;
        ASSERT_TRUE(file.Open(Path("out.bin"), FileHandle::CreateAlways, FileHandle::Write));
        ASSERT_TRUE(file.WriteBytes("xyz", 3));
    } // the destructor closes and flushes
    EXPECT_EQ(ReadWholeFile(Path("out.bin")), QByteArray("xyz"));

    FileHandle created;
    ASSERT_TRUE(created.Open(Path("new.bin"), FileHandle::OpenOrCreate, FileHandle::ReadWrite));
    EXPECT_TRUE(created.Close());
    EXPECT_TRUE(QFile::exists(Path("new.bin")));
}

TEST_F(FileHandleTest, OpeningAgainClosesThePreviousFile)
{
    WriteWholeFile(Path("a.bin"), "AAAA");
    WriteWholeFile(Path("b.bin"), "BB");
    FileHandle file;
    ASSERT_TRUE(file.Open(Path("a.bin"), FileHandle::OpenExisting, FileHandle::Read));
    ASSERT_TRUE(file.Open(Path("b.bin"), FileHandle::OpenExisting, FileHandle::Read));
    char bytes[8];
    ASSERT_TRUE(file.ReadBytes(bytes, sizeof bytes));
    EXPECT_EQ(QByteArray(bytes, int(file.Moved())), QByteArray("BB"));
    // A failed open leaves nothing open.
    EXPECT_FALSE(file.Open(Path("missing.bin"), FileHandle::OpenExisting, FileHandle::Read));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.ReadBytes(bytes, sizeof bytes));
}

// Handlers allocate their buffers first and open their files after, so the
// buffers must survive Open; Close frees them.
TEST_F(FileHandleTest, WorkBuffersSurviveOpenAndGoWithClose)
{
    WriteWholeFile(Path("in.bin"), "data");
    FileHandle file;
    uint8_t* first = file.AllocateBuffer(0, 1024);
    uint8_t* second = file.AllocateBuffer(1, 2048);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(file.AllocateBuffer(2, 16), nullptr);
    EXPECT_EQ(file.Buffer(-1), nullptr);
    ASSERT_TRUE(file.Open(Path("in.bin"), FileHandle::OpenExisting, FileHandle::Read));
    EXPECT_EQ(file.Buffer(0), first);
    EXPECT_EQ(file.Buffer(1), second);
    ASSERT_TRUE(file.ReadBytes(first, 1024));
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(first), int(file.Moved())), QByteArray("data"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(file.Buffer(0), nullptr);
    EXPECT_EQ(file.Buffer(1), nullptr);
}

// Writes are buffered, so a full disk may only show when the data is
// flushed at close: Close must say so.
TEST_F(FileHandleTest, CloseReportsDataThatCouldNotBeWritten)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    FileHandle file;
    ASSERT_TRUE(file.Open(QStringLiteral("/dev/full"), FileHandle::CreateAlways, FileHandle::Write));
    file.WriteBytes("abc", 3);
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(FileHandleTest, ReadFailureIsReportedNotTakenForTheEnd)
{
    // Reading /proc/self/mem at address 0 fails with an I/O error.
    FileHandle file;
    if (!file.Open(QStringLiteral("/proc/self/mem"), FileHandle::OpenExisting, FileHandle::Read))
        GTEST_SKIP() << "no /proc/self/mem";
    char bytes[16];
    EXPECT_FALSE(file.ReadBytes(bytes, sizeof bytes));
    EXPECT_EQ(file.Moved(), 0);
}

} // namespace

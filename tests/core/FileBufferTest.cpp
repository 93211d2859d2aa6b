// Chunk structure, limits, loading and saving of the file buffer.
#include "BufferModel.h"
#include "MessageRecorder.h"
#include "ScopedWriteFaults.h"
#include "TestFiles.h"
#include "ChildProcess.h"

#include "tools/CoreMessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr char kSizeLimitLoadText[] = "Unable to load file : Exceeds file size limit of 9,223,372,036,854,775,807 bytes.";

std::vector<int32_t> ChunkLengths(const CFileBuffer& buffer)
{
    std::vector<int32_t> lengths;
    for (const CBufferChunk* c = buffer.First(); c; c = c->next)
        lengths.push_back(c->length);
    return lengths;
}

// Shows the buffer's problems as the program does, so the texts can be checked.
class ShowingSink : public ICoreProblemSink {
public:
    void OnProblem(const CoreProblem& problem) override { ShowCoreProblem(problem); }
};

class FileBufferTest : public ::testing::Test {
protected:
    FileBufferTest() { buffer.SetProblemSink(&sink); }

    QTemporaryDir dir;
    MessageRecorder messages;
    ShowingSink sink;
    CFileBuffer buffer;

    QString MakeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        WriteWholeFile(path, bytes);
        return path;
    }
};

TEST_F(FileBufferTest, LoadCutsTheFileIntoFullChunks)
{
    struct Case {
        int size;
        std::vector<int32_t> chunks;
    };
    for (const Case& c : {Case{0, {0}}, Case{1, {1}}, Case{2048, {2048}}, Case{2049, {2048, 1}},
                          Case{5000, {2048, 2048, 904}}}) {
        const QByteArray bytes = RandomBytes(c.size, 7);
        ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", bytes)));
        EXPECT_EQ(buffer.Size(), c.size);
        EXPECT_EQ(ChunkLengths(buffer), c.chunks) << "file of " << c.size << " bytes";
        for (const CBufferChunk* chunk = buffer.First(); chunk; chunk = chunk->next)
            EXPECT_EQ(chunk->capacity, chunk->length) << "loaded chunks have exactly the capacity of their bytes";
        const std::vector<uint8_t> got = BufferBytes(buffer);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(got.data()), qsizetype(got.size())), bytes);
        EXPECT_TRUE(buffer.CheckInvariants());
    }
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(FileBufferTest, InsertIntoTheMiddleOfAFullChunkSplitsIt)
{
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", RandomBytes(2048, 1))));
    CBufferPos at;
    at.Bind(&buffer, false, 1024);
    ASSERT_EQ(at.Insert(5000), 5000);
    // The tail moves to a new chunk; the cursor's chunk fills up, then one
    // chunk of the odd remainder and one full chunk open the rest of the gap.
    EXPECT_EQ(ChunkLengths(buffer), (std::vector<int32_t>{2048, 2048, 1928, 1024}));
    EXPECT_EQ(at.Offset(), 1024);
    EXPECT_EQ(buffer.Size(), 7048);
    EXPECT_TRUE(buffer.CheckInvariants());
}

TEST_F(FileBufferTest, TailMovesIntoTheNextChunkWhenItFits)
{
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", RandomBytes(2048 + 100, 1))));
    CBufferPos at;
    at.Bind(&buffer, false, 2000);
    ASSERT_EQ(at.Insert(3000), 3000);
    EXPECT_EQ(ChunkLengths(buffer), (std::vector<int32_t>{2048, 2048, 904, 148}));
    EXPECT_TRUE(buffer.CheckInvariants());
}

TEST_F(FileBufferTest, DeletingEverythingLeavesOneEmptyChunkAndMovesPositionsToZero)
{
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", RandomBytes(10000, 3))));
    CSelectionPos caret;
    caret.Bind(&buffer, true, 7000);
    caret.hasSelection = true;
    caret.selStart = 100;
    caret.selEnd = 9000;
    CBufferPos eraser;
    eraser.Bind(&buffer, false, 0);
    ASSERT_EQ(eraser.Delete(20000), 10000);
    EXPECT_EQ(ChunkLengths(buffer), std::vector<int32_t>{0});
    EXPECT_EQ(caret.Offset(), 0);
    EXPECT_FALSE(caret.hasSelection);
    EXPECT_TRUE(buffer.CheckInvariants());
    EXPECT_EQ(caret.Seek(5), 0) << "the only valid offset of an empty buffer is 0";
}

TEST_F(FileBufferTest, ReadWriteAndFillAreClippedAtTheEnd)
{
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", QByteArray(10, 'a'))));
    CBufferPos at;
    at.Bind(&buffer, false, 8);
    uint8_t out[8] = {};
    EXPECT_EQ(at.Read(out, 8), 2);
    EXPECT_EQ(at.Write("xyz", 3), 2);
    EXPECT_EQ(at.Fill('z', 100), 2);
    EXPECT_EQ(buffer.Size(), 10) << "writing never extends the file";
    EXPECT_EQ(at.Offset(), 8) << "reading and writing never move the position";
    EXPECT_EQ(at.Forward(5), 2);
    EXPECT_EQ(at.Back(50), 10);
}

TEST_F(FileBufferTest, PositionsKeepTheirBytesAcrossEditsBeforeThem)
{
    QByteArray bytes = RandomBytes(6000, 9);
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", bytes)));
    CBufferPos watched;
    watched.Bind(&buffer, true, 4500);
    uint8_t before = 0;
    watched.Read(&before, 1);

    CBufferPos editor;
    editor.Bind(&buffer, false, 10);
    editor.Insert(3000);
    EXPECT_EQ(watched.Offset(), 7500);
    editor.Seek(100);
    editor.Delete(2500);
    EXPECT_EQ(watched.Offset(), 5000);
    uint8_t after = 0;
    watched.Read(&after, 1);
    EXPECT_EQ(after, before);

    editor.Seek(4990);
    editor.Delete(20);
    EXPECT_EQ(watched.Offset(), 4990) << "a position inside a deleted range moves to its start";
    EXPECT_TRUE(buffer.CheckInvariants());
}

TEST_F(FileBufferTest, SelectionShrinksWithDeletedBytesAndGrowsAtItsStart)
{
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", RandomBytes(100, 2))));
    CSelectionPos caret;
    caret.Bind(&buffer, true, 50);
    caret.hasSelection = true;
    caret.selStart = 20;
    caret.selEnd = 40;
    CBufferPos editor;
    editor.Bind(&buffer, false, 20);
    editor.Insert(5);
    EXPECT_EQ(caret.selStart, 20) << "a selection starting at the insertion grows over the new bytes";
    EXPECT_EQ(caret.selEnd, 45);
    editor.Seek(30);
    editor.Delete(10);
    EXPECT_EQ(caret.selStart, 20);
    EXPECT_EQ(caret.selEnd, 35);
    editor.Seek(10);
    editor.Delete(40);
    EXPECT_FALSE(caret.hasSelection);
}

TEST_F(FileBufferTest, AlignedPositionStaysOnARowStart)
{
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", RandomBytes(1000, 2))));
    CAlignedPos top;
    top.unit = 16;
    top.Bind(&buffer, true, 160);
    CBufferPos editor;
    editor.Bind(&buffer, false, 5);
    editor.Insert(3);
    EXPECT_EQ(top.Offset(), 160) << "163 is pulled back to its row start";
    editor.Delete(3 + 16);
    EXPECT_EQ(top.Offset(), 144);
    editor.Delete(1);
    EXPECT_EQ(top.Offset(), 144) << "143 moves forward to the next row start while bytes follow";
}

TEST_F(FileBufferTest, InsertPastTheSizeLimitIsRefused)
{
    buffer.SetSizeLimit(MAX_FILE_SIZE);
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", QByteArray(10, 'x'))));
    CBufferPos at;
    at.Bind(&buffer, false, 5);
    EXPECT_EQ(at.Insert(MAX_FILE_SIZE - 9), 0);
    EXPECT_EQ(buffer.LastProblem().error, CoreError::SizeLimitOnInsert);
    EXPECT_EQ(messages.Last(),
              "Cannot insert data : Will cause file buffer to exceed size limit of 9,223,372,036,854,775,807 bytes.");
    EXPECT_EQ(buffer.Size(), 10);
    EXPECT_TRUE(buffer.CheckInvariants());
}

// A file larger than the buffer's limit (lowered here to 2 GiB - 1, as no
// file reaches the program's own) is refused whole.
TEST_F(FileBufferTest, AFileAboveTheSizeLimitIsRefusedAndLeavesTheBufferEmpty)
{
    const QString path = dir.filePath("huge.bin");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(1) << 31));  // sparse: no disk space used
    }
    buffer.SetSizeLimit((qint64(1) << 31) - 1);
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("small.bin", "abc")));
    EXPECT_FALSE(buffer.LoadFromFile(path));
    EXPECT_EQ(messages.Last(), path + "\n\n" + kSizeLimitLoadText);
    EXPECT_EQ(buffer.Size(), 0);
    EXPECT_EQ(ChunkLengths(buffer), std::vector<int32_t>{0});
}

TEST_F(FileBufferTest, MissingFileReportsTheFileByName)
{
    const QString path = dir.filePath("missing.bin");
    EXPECT_FALSE(buffer.LoadFromFile(path));
    EXPECT_EQ(buffer.LastProblem().error, CoreError::FileError);
    EXPECT_EQ(buffer.LastProblem().fileError, ENOENT);
    EXPECT_EQ(buffer.LastProblem().path, path);
    EXPECT_EQ(messages.Last(), QString("%1 was not found.").arg(path));
    EXPECT_EQ(buffer.Size(), 0);
}

TEST_F(FileBufferTest, OutOfMemoryDuringInsertIsReportedAndKeepsTheListConsistent)
{
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("f.bin", RandomBytes(4096, 4))));
    CBufferPos at;
    at.Bind(&buffer, false, 1000);
    buffer.Heap().FailAfter(2);
    const int32_t inserted = at.Insert(10000);
    buffer.Heap().FailAfter(-1);
    EXPECT_LT(inserted, 10000);
    EXPECT_EQ(buffer.LastProblem().error, CoreError::OutOfMemory);
    EXPECT_EQ(messages.Count(), 1);
    EXPECT_EQ(buffer.Size(), 4096 + inserted);
    EXPECT_EQ(messages.Last(),
              "Out of memory.\n\nThere is not enough memory to complete the current operation. To prevent loss of "
              "data, you should not use this program in low memory conditions. If the data you are working with needs "
              "to be saved, you should save it now and then terminate the program. Note that the last edit performed "
              "may have not produced the expected results.");
    EXPECT_TRUE(buffer.CheckInvariants());
}

// Memory may run out at any allocation of a load, the last ones building the
// seek index's upper levels included: the load fails, says so, and leaves an
// empty buffer that works.
TEST_F(FileBufferTest, OutOfMemoryAnywhereInALoadLeavesAWorkingEmptyBuffer)
{
    // 65 leaves of chunks: two inner nodes and a root are the last allocations.
    const QString path = MakeFile("f.bin", RandomBytes(64 * 64 * MAX_CHUNK + 1, 6));
    auto loadsWith = [&](int64_t allocations) {
        buffer.Heap().FailAfter(allocations);
        const bool loaded = buffer.LoadFromFile(path);
        buffer.Heap().FailAfter(-1);
        return loaded;
    };
    int64_t low = 0, high = 100000;  // the allocations a load needs, by bisection
    ASSERT_TRUE(loadsWith(high));
    while (low < high) {
        const int64_t middle = (low + high) / 2;
        if (loadsWith(middle))
            high = middle;
        else
            low = middle + 1;
    }
    const int64_t needed = low;
    for (int64_t allowed : {int64_t(0), needed / 2, needed - 3, needed - 2, needed - 1}) {
        SCOPED_TRACE(allowed);
        EXPECT_FALSE(loadsWith(allowed));
        EXPECT_EQ(buffer.LastProblem().error, CoreError::OutOfMemory);
        EXPECT_EQ(buffer.Size(), 0);
        std::string why;
        EXPECT_TRUE(buffer.CheckInvariants(&why)) << why;
        CBufferPos at;
        at.Bind(&buffer, false, 0);
        EXPECT_EQ(at.Insert(5000), 5000);
        EXPECT_TRUE(buffer.CheckInvariants(&why)) << why;
    }
    ASSERT_TRUE(loadsWith(needed));
    std::string why;
    EXPECT_TRUE(buffer.CheckInvariants(&why)) << why;
    EXPECT_EQ(buffer.Size(), 64 * 64 * MAX_CHUNK + 1);
}

// ---------------------------------------------------------------- saving

TEST_F(FileBufferTest, SaveWritesEveryChunkInOrder)
{
    const QByteArray bytes = RandomBytes(3 * 1024 * 1024 + 17, 5);
    const QString path = MakeFile("f.bin", bytes);
    ASSERT_TRUE(buffer.LoadFromFile(path));
    CBufferPos at;
    at.Bind(&buffer, false, 1234567);
    at.Insert(3);
    at.Write("abc", 3);
    QByteArray expected = bytes;
    expected.insert(1234567, "abc");
    const QString copy = dir.filePath("copy.bin");
    ASSERT_TRUE(buffer.SaveToFile(copy));
    EXPECT_EQ(ReadWholeFile(copy), expected);
    ASSERT_TRUE(buffer.SaveToFile(path));
    EXPECT_EQ(ReadWholeFile(path), expected);
}

TEST_F(FileBufferTest, SaveKeepsPermissionsAndWritesThroughSymbolicLinks)
{
    const QString target = MakeFile("target.bin", "old contents");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0741), 0);
    const QString link = dir.filePath("link.bin");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("new.bin", "new")));
    ASSERT_TRUE(buffer.SaveToFile(link));
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link itself stays a link";
    EXPECT_EQ(ReadWholeFile(target), QByteArray("new"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0741u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no temporary file is left";
}

TEST_F(FileBufferTest, SaveBeyondAFileSizeLimitLeavesTheOriginalUntouched)
{
    const QByteArray original = RandomBytes(100000, 6);
    const QString path = MakeFile("f.bin", original);
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("bigger.bin", RandomBytes(300000, 8))));

    // A file size limit makes the kernel refuse the write part-way.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 150000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = buffer.SaveToFile(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadWholeFile(path), original) << "the original is byte-for-byte unchanged";
    EXPECT_EQ(messages.Last(), QString("%1 is larger than the file size limit allows.").arg(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
}

TEST_F(FileBufferTest, AWriteFailureNamesTheFile)
{
    const QString path = MakeFile("f.bin", "keep me");
    ASSERT_TRUE(buffer.LoadFromFile(MakeFile("other.bin", "other")));
    const ScopedWriteFaults failing({.nextWriteError = EIO});
    EXPECT_FALSE(buffer.SaveToFile(path));
    EXPECT_EQ(messages.Last(), QString("An unexpected error occurred while accessing %1.").arg(path));
    EXPECT_EQ(ReadWholeFile(path), QByteArray("keep me"));
}

// ---------------------------------------------------------------- files that are not plain files

TEST_F(FileBufferTest, GeneratedFilesThatReportNoSizeAreReadUntilTheirEnd)
{
    for (const char* generated : {"/proc/self/cmdline", "/proc/version", "/proc/self/status"}) {
        std::ifstream stream(generated, std::ios::binary);
        const std::string reference((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(reference.empty()) << generated;
        ASSERT_TRUE(buffer.LoadFromFile(QString::fromLatin1(generated))) << generated;
        std::string why;
        EXPECT_TRUE(buffer.CheckInvariants(&why)) << why;
        QByteArray loaded(buffer.Size(), '\0');
        CBufferPos at;
        at.Bind(&buffer, false, 0);
        at.Read(loaded.data(), buffer.Size());
        at.Unbind();
        if (std::string(generated) == "/proc/self/status")
            EXPECT_TRUE(loaded.startsWith("Name:")) << generated;  // its counters change between reads
        else
            EXPECT_EQ(loaded.toStdString(), reference) << generated;
    }
    EXPECT_EQ(messages.Count(), 0);
}

// A size of 0 may mean empty or unknown, so such files are read until they
// end; the chunks taken for that read must follow what actually came.
TEST_F(FileBufferTest, FilesReportingNoSizeTakeChunkMemoryForTheirContentsOnly)
{
    const QString empty = MakeFile("empty.bin", QByteArray());
    for (const QString& path : {empty, QStringLiteral("/proc/version")}) {
        ASSERT_TRUE(buffer.LoadFromFile(path)) << path.toStdString();
        EXPECT_LE(buffer.Heap().SlabBytes(), size_t(16384)) << path.toStdString() << " of " << buffer.Size()
                                                            << " bytes";
    }
    EXPECT_EQ(messages.Count(), 0);
}

// A generated file whose contents the test chooses: the argument list of a
// child process, which /proc shows with a reported size of 0.
class GeneratedFile {
public:
    explicit GeneratedFile(int length)
    {
        // "/bin/sh\0-c\0sleep 60; :\0" and then fillers of at most 100,000
        // bytes (the kernel's limit for one argument), each with its zero.
        std::vector<std::string> arguments{"/bin/sh", "-c", "sleep 60; :"};
        int left = length - 23;
        while (left > 0) {
            const int piece = std::min(left, 100000);
            arguments.emplace_back(size_t(piece - 1), char('a' + arguments.size() % 26));
            left -= piece;
        }
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
            contents_.append(argument.data(), qsizetype(argument.size()) + 1);
        }
        argv.push_back(nullptr);
        // posix_spawn returns once the child runs the new program.
        if (::posix_spawn(&pid_, "/bin/sh", nullptr, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
    }
    ~GeneratedFile()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    QString Path() const { return QStringLiteral("/proc/%1/cmdline").arg(pid_); }
    const QByteArray& Contents() const { return contents_; }

private:
    pid_t pid_ = -1;
    QByteArray contents_;
};

// Generated files have no size to check in advance, so the limit is enforced
// while reading; a load that stopped at the limit without trying one more
// byte would cut a longer file instead of refusing it.
TEST_F(FileBufferTest, TheSizeLimitHoldsForGeneratedFilesAtExactlyTheLimitAndOneByteMore)
{
    std::ifstream ownStream("/proc/self/cmdline", std::ios::binary);
    const std::string own((std::istreambuf_iterator<char>(ownStream)), std::istreambuf_iterator<char>());
    const GeneratedFile oneChunk(2048);
    const GeneratedFile oneBatch(256 * 2048);  // the loader reads 256 chunks at a time
    const GeneratedFile pastBatch(256 * 2048 + 1);
    const QString plain = MakeFile("plain.bin", RandomBytes(3000, 5));
    struct Source {
        QString path;
        QByteArray contents;
    };
    const Source sources[] = {
        {QStringLiteral("/proc/self/cmdline"), QByteArray::fromStdString(own)},
        {oneChunk.Path(), oneChunk.Contents()},
        {oneBatch.Path(), oneBatch.Contents()},
        {pastBatch.Path(), pastBatch.Contents()},
        {plain, ReadWholeFile(plain)},
    };
    for (const Source& source : sources) {
        const auto length = int32_t(source.contents.size());
        ASSERT_GT(length, 1) << source.path.toStdString();
        struct Limit {
            int32_t limit;
            bool loads;
        };
        for (const Limit c : {Limit{0, false}, Limit{length - 1, false}, Limit{length, true}, Limit{length + 1, true}}) {
            const std::string what = source.path.toStdString() + " with a limit of " + std::to_string(c.limit);
            ASSERT_TRUE(buffer.LoadFromFile(MakeFile("before.bin", "earlier contents")));
            CBufferPos caret;
            caret.Bind(&buffer, true, 5);
            messages.Clear();
            buffer.SetSizeLimit(c.limit);
            EXPECT_EQ(buffer.LoadFromFile(source.path), c.loads) << what;
            buffer.SetSizeLimit(CFileBuffer::kNoSizeLimit);
            std::string why;
            EXPECT_TRUE(buffer.CheckInvariants(&why)) << what << ": " << why;
            if (c.loads) {
                EXPECT_EQ(messages.Count(), 0) << what;
                const std::vector<uint8_t> got = BufferBytes(buffer);
                EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(got.data()), qsizetype(got.size())), source.contents)
                    << what;
            } else {
                EXPECT_EQ(buffer.LastProblem().error, CoreError::SizeLimitOnLoad) << what;
                EXPECT_EQ(messages.Texts(), QStringList{source.path + "\n\n" + kSizeLimitLoadText}) << what;
                // A failed load leaves one empty chunk, never part of the file.
                EXPECT_EQ(ChunkLengths(buffer), std::vector<int32_t>{0}) << what;
                EXPECT_EQ(caret.Offset(), 0) << what;
            }
        }
    }
}

TEST_F(FileBufferTest, AGeneratedFileLongerThanTheLimitIsRefused)
{
    // The process's own memory map: generated, and longer than 100 bytes.
    const QString maps = QStringLiteral("/proc/self/maps");
    buffer.SetSizeLimit(100);
    EXPECT_FALSE(buffer.LoadFromFile(maps));
    EXPECT_EQ(messages.Texts(), QStringList{maps + "\n\n" + kSizeLimitLoadText});
    EXPECT_EQ(ChunkLengths(buffer), std::vector<int32_t>{0});
    buffer.SetSizeLimit(MAX_FILE_SIZE);
    EXPECT_TRUE(buffer.LoadFromFile(maps)) << "the real limit takes it";
    EXPECT_GT(buffer.Size(), 100);
}

TEST_F(FileBufferTest, DevicesAndPipesAreRefusedWithoutWaitingAndLeaveTheBufferEmpty)
{
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (const QString& path : {fifo, QStringLiteral("/dev/zero"), QStringLiteral("/dev/urandom")}) {
        const QString expected = QStringLiteral("Unable to open %1 : It is a device, a pipe or a socket, not a file.").arg(path);
        // In a child process: without a writer, an ordinary open of the pipe never returns.
        const ChildOutcome outcome = RunInChildProcess([&] {
            messages.Clear();
            if (buffer.LoadFromFile(path))
                return 1;
            if (buffer.Size() != 0 || !buffer.CheckInvariants())
                return 2;
            return messages.Last() == expected ? 0 : 3;
        });
        ASSERT_TRUE(outcome.finished) << path.toStdString() << ": loading blocked";
        EXPECT_TRUE(outcome.exited) << path.toStdString();
        EXPECT_EQ(outcome.code, 0) << path.toStdString();
    }
}

} // namespace

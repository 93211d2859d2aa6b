// Files opened as extents: nothing is read at open, edits read only what
// they change, saving copies the rest, and the file on disk failing or
// changing underneath never shows or saves wrong bytes.
#include "BufferModel.h"
#include "ScopedWriteFaults.h"
#include "TestFiles.h"

#include "core/BinEditDoc.h"
#include "core/BlockCache.h"
#include "core/BufferRangeToTempFile.h"
#include "tools/ByteSearch.h"
#include "tools/CoreMessages.h"
#include "tools/FileCompare.h"
#include "platform/SourceFile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ProblemLog : ICoreProblemSink {
    void OnProblem(const CoreProblem& problem) override { problems.push_back(problem); }
    std::vector<CoreProblem> problems;
};

class FileExtentTest : public ::testing::Test {
protected:
    FileExtentTest()
    {
        buffer.SetProblemSink(&log);
        buffer.SetExtentThreshold(0);
        buffer.SetBlockCache(cache);
    }
    ~FileExtentTest() override { platform::SourceFile::InjectReadFault({}); }

    QString MakeFile(const QByteArray& bytes, const QString& name = "big.bin")
    {
        const QString path = dir.filePath(name);
        WriteWholeFile(path, bytes);
        return path;
    }
    std::vector<uint8_t> Contents() { return BufferBytes(buffer); }

    QTemporaryDir dir;
    ProblemLog log;
    std::shared_ptr<CBlockCache> cache = std::make_shared<CBlockCache>(1 << 20, 64 * 1024);
    CFileBuffer buffer;
};

TEST_F(FileExtentTest, OpeningReadsNothingAndEditsReadOnlyTheirOwnBlocks)
{
    const QByteArray original = RandomBytes(3 << 20, 7);
    const QString path = MakeFile(original);
    ASSERT_TRUE(buffer.LoadFromFile(path));
    EXPECT_EQ(buffer.Size(), original.size());
    EXPECT_EQ(buffer.ExtentCount(), 1);
    EXPECT_EQ(cache->HeldBytes(), 0) << "opening reads nothing";

    std::vector<uint8_t> model(original.begin(), original.end());
    CBufferPos at;
    at.Bind(&buffer, true, 1'500'000);
    const uint8_t patch[3] = {1, 2, 3};
    ASSERT_EQ(at.Write(patch, 3), 3);
    std::copy(patch, patch + 3, model.begin() + 1'500'000);
    at.Seek(100);
    ASSERT_EQ(at.Insert(5000), 5000);
    ASSERT_EQ(at.Fill(0xAA, 5000), 5000);
    model.insert(model.begin() + 100, 5000, 0xAA);
    at.Seek(2'000'000);
    ASSERT_EQ(at.Delete(300'000), 300'000);
    model.erase(model.begin() + 2'000'000, model.begin() + 2'300'000);
    EXPECT_LE(cache->HeldBytes(), 3 * 64 * 1024) << "only the blocks around the edits were read";

    std::string why;
    ASSERT_TRUE(buffer.CheckInvariants(&why)) << why;
    EXPECT_GE(buffer.ExtentCount(), 3);
    EXPECT_TRUE(Contents() == model);

    // Saving over the file the extents read from, then reading from the new one.
    CBinEditDoc document;
    document.Buffer().SetExtentThreshold(0);
    ASSERT_TRUE(document.OnOpenDocument(path));
    CBufferPos docAt;
    docAt.Bind(&document.Buffer(), true, 0);
    ASSERT_TRUE(document.OverwriteAt(docAt, patch, 3));
    docAt.Seek(2'000'000);
    ASSERT_TRUE(document.OnSaveDocument(path));
    QByteArray expected = original;
    expected.replace(0, 3, QByteArray(reinterpret_cast<const char*>(patch), 3));
    EXPECT_EQ(ReadWholeFile(path), expected);
    EXPECT_EQ(document.Buffer().ExtentCount(), 1) << "the document reads from the saved file";
    EXPECT_EQ(document.Buffer().First()->next, nullptr) << "its memory chunks are freed";
    EXPECT_EQ(docAt.Offset(), 2'000'000);
    ASSERT_TRUE(document.Buffer().CheckInvariants(&why)) << why;
    uint8_t first[3] = {};
    docAt.Seek(0);
    docAt.Read(first, 3);
    EXPECT_TRUE(std::equal(first, first + 3, patch));
}

// How the disk fails a read that reaches the chosen offset: with an error,
// with the bytes up to it only, or because another program cut the file
// short there (which also tells the file changed in place).
struct ReadFault {
    const char* name;
    int error;  // 0: the read ends at the bad offset
    bool truncateInstead;
};

TEST_F(FileExtentTest, AFailedReadIsSaidOnceAndNoSaveLacksTheBytes)
{
    const ReadFault faults[] = {
        {"EIO", EIO, false},
        {"short read", 0, false},
        {"cut short underneath", 0, true},
    };
    for (const ReadFault& fault : faults) {
        SCOPED_TRACE(fault.name);
        const QByteArray original = RandomBytes(1 << 20, 3);
        const QString path = MakeFile(original);
        const QString copy = dir.filePath("copy.bin");
        QFile::remove(copy);
        ASSERT_TRUE(buffer.LoadFromFile(path));
        log.problems.clear();
        constexpr int64_t kBadOffset = 512 * 1024;
        if (fault.truncateInstead) {
            ASSERT_EQ(truncate(QFile::encodeName(path).constData(), kBadOffset), 0);
        } else {
            platform::SourceFile::InjectReadFault([&](int64_t offset, int64_t count, int64_t* result, int* error) {
                if (offset + count <= kBadOffset)
                    return false;
                *result = fault.error ? -1 : std::max<int64_t>(kBadOffset - offset, 0);
                *error = fault.error;
                return true;
            });
        }
        uint8_t bytes[16];
        CBufferPos at;
        at.Bind(&buffer, false, 0);
        if (!fault.truncateInstead) {
            EXPECT_EQ(at.Read(bytes, 16), 16) << "blocks before the fault read as ever";
        }
        for (int repaint = 0; repaint < 3; ++repaint) {
            at.Seek(int32_t(kBadOffset + 10));
            EXPECT_LT(at.Read(bytes, 16), 16);
        }
        ASSERT_EQ(log.problems.size(), 1u) << "said once, not on every repaint";
        EXPECT_EQ(log.problems[0].path, path);

        EXPECT_FALSE(buffer.SaveToFile(copy));
        EXPECT_FALSE(QFile::exists(copy)) << "no file lacking the bytes";
        if (!fault.truncateInstead) {
            EXPECT_FALSE(buffer.SaveToFile(path));
            EXPECT_EQ(ReadWholeFile(path), original) << "the original is byte for byte as it was";
        }
        platform::SourceFile::InjectReadFault({});
        buffer.Reset();
    }
}

TEST_F(FileExtentTest, AFileReplacedKeepsReadingWhileAFileChangedInPlaceStops)
{
    const QByteArray original = RandomBytes(256 * 1024, 5);
    const QString path = MakeFile(original);

    // Another program's save: a new file renamed over the name. Our
    // descriptor still reads the old bytes, all of them, consistently.
    {
        CBinEditDoc document;
        document.Buffer().SetExtentThreshold(0);
        ASSERT_TRUE(document.OnOpenDocument(path));
        const QString other = MakeFile(RandomBytes(1000, 6), "other.bin");
        ASSERT_TRUE(QFile::remove(path));
        ASSERT_TRUE(QFile::rename(other, path));
        EXPECT_FALSE(document.Buffer().SourceChangedUnderneath());
        EXPECT_TRUE(BufferBytes(document.Buffer()) == std::vector<uint8_t>(original.begin(), original.end()));
        EXPECT_FALSE(document.IsReadOnly());
        WriteWholeFile(path, original);
    }
    // The same file written in place: nothing of it is shown or saved.
    CBinEditDoc document;
    document.Buffer().SetExtentThreshold(0);
    ProblemLog problems;
    document.Buffer().SetProblemSink(&problems);
    ASSERT_TRUE(document.OnOpenDocument(path));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("more");
    }
    CBufferPos at;
    at.Bind(&document.Buffer(), false, 0);
    uint8_t bytes[16];
    EXPECT_EQ(at.Read(bytes, 16), 0);
    EXPECT_TRUE(document.Buffer().SourceChangedUnderneath());
    ASSERT_EQ(problems.problems.size(), 1u);
    EXPECT_EQ(problems.problems[0].error, CoreError::SourceChanged);
    EXPECT_EQ(problems.problems[0].path, path);
    const QString copy = dir.filePath("copy.bin");
    EXPECT_FALSE(document.Buffer().SaveToFile(copy));
    EXPECT_FALSE(QFile::exists(copy));
}

TEST_F(FileExtentTest, AStoppedSaveLeavesTheOriginalAndNoTemporaryFile)
{
    const QByteArray original = RandomBytes(40 << 20, 9);  // a few steps of the copy
    const QString path = MakeFile(original);
    ASSERT_TRUE(buffer.LoadFromFile(path));
    CBufferPos at;
    at.Bind(&buffer, false, 10);
    ASSERT_EQ(at.Fill(0, 10), 10);
    int calls = 0;
    buffer.SetProgressHook([&](int64_t done, int64_t total) {
        EXPECT_LE(done, total);
        return ++calls < 3;
    });
    EXPECT_FALSE(buffer.SaveToFile(path));
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(buffer.LastProblem()) << "stopping is not a failure";
    EXPECT_EQ(ReadWholeFile(path), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// Find and compare read extents through span readers: the same answers as
// over the same bytes held wholly in memory, and a read failure stops them
// with its problem instead of an answer.
TEST_F(FileExtentTest, FindAndCompareOverExtentsAgreeWithMemory)
{
    std::mt19937 rng(3);
    QByteArray original(3 << 20, '\0');
    for (char& b : original)
        b = char('a' + rng() % 3);
    const QString path = MakeFile(original);
    ASSERT_TRUE(buffer.LoadFromFile(path));
    CBufferPos at;
    at.Bind(&buffer, false, 1'000'000);
    ASSERT_EQ(at.Write("XYZ", 3), 3);
    at.Seek(2'500'000);
    ASSERT_EQ(at.Insert(2), 2);
    ASSERT_EQ(at.Write("QQ", 2), 2);
    const std::vector<uint8_t> bytes = Contents();
    const QString copyPath =
        MakeFile(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), "memory.bin");
    CFileBuffer memory;
    memory.SetExtentThreshold(INT64_MAX);
    ASSERT_TRUE(memory.LoadFromFile(copyPath));

    for (const QByteArray& pattern : {QByteArray("XYZ"), QByteArray("aQQ"), QByteArray("abcabcabcc"),
                                      original.mid(2'999'000, 200'000).left(70'000), QByteArray("nothere")}) {
        const CByteSearch search(pattern.constData(), int32_t(pattern.size()), true);
        for (const auto& [from, to] :
             std::vector<std::pair<int32_t, int32_t>>{{0, buffer.Size()}, {1'000'001, 2'600'000}}) {
            EXPECT_EQ(search.FindForward(buffer, from, to), search.FindForward(memory, from, to));
            EXPECT_EQ(search.FindBackward(buffer, to, from), search.FindBackward(memory, to, from));
        }
    }

    CFileBuffer other;
    other.SetExtentThreshold(INT64_MAX);
    ASSERT_TRUE(other.LoadFromFile(path));
    const auto differences = [](CFileBuffer& a, CFileBuffer& b) {
        CFileCompare compare(a, b, 8);
        while (compare.FindNextDifference() == CompareStep::Found) {}
        std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t>> found;
        for (const CompareDifference& d : compare.Differences())
            found.emplace_back(d.offset1, d.length1, d.offset2, d.length2);
        return found;
    };
    const auto expected = differences(memory, other);
    EXPECT_EQ(expected.size(), 2u);
    EXPECT_EQ(differences(buffer, other), expected);

    platform::SourceFile::InjectReadFault([](int64_t offset, int64_t count, int64_t* result, int* error) {
        if (offset + count <= 2'000'000)
            return false;
        *result = -1;
        *error = EIO;
        return true;
    });
    buffer.SetBlockCache(std::make_shared<CBlockCache>(1 << 20, 64 * 1024));  // nothing cached before the fault
    const CByteSearch search("nothere", 7, true);
    EXPECT_EQ(search.FindForward(buffer, 0, buffer.Size()), -1);
    EXPECT_EQ(search.Problem().fileError, EIO);
    EXPECT_EQ(search.Problem().path, path);
    CFileCompare compare(buffer, other, 8);
    CompareStep step = CompareStep::Found;
    while (step == CompareStep::Found)
        step = compare.FindNextDifference();
    EXPECT_EQ(step, CompareStep::ReadFailed);
    EXPECT_EQ(compare.Problem().path, path);
}

TEST_F(FileExtentTest, ASaveWithoutRoomIsRefusedBeforeWritingAnything)
{
    const QByteArray original = RandomBytes(1 << 20, 13);
    const QString path = MakeFile(original);
    ASSERT_TRUE(buffer.LoadFromFile(path));
    CBufferPos at;
    at.Bind(&buffer, false, 5);
    ASSERT_EQ(at.Insert(3), 3);
    const ScopedWriteFaults nearlyFull({.freeSpace = original.size()});
    const bool saved = buffer.SaveToFile(path);
    EXPECT_FALSE(saved);
    ASSERT_EQ(log.problems.size(), 1u);
    EXPECT_EQ(log.problems[0].fileError, ENOSPC);
    EXPECT_EQ(log.problems[0].path, path);
    EXPECT_EQ(ReadWholeFile(path), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// The room a save needs is the data it writes: the holes of a sparse
// original stay holes, so a file far larger than the free space saves when
// its data and the bytes typed fit, and is refused when they do not.
TEST_F(FileExtentTest, ASparseFileNeedsRoomForItsDataAlone)
{
    const QString path = dir.filePath("sparse.bin");
    constexpr int64_t kSize = int64_t(64) << 20;
    const QByteArray data = RandomBytes(256 << 10, 17);
    QByteArray original(kSize, '\0');
    original.replace(32 << 20, data.size(), data);
    QByteArray edited = original;
    edited.insert(5, "abc");

    struct Case {
        int64_t freeSpace;
        bool saved;
    };
    const Case cases[] = {{1 << 20, true}, {(256 << 10) + 3, true}, {(256 << 10) + 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.freeSpace);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(kSize));
            ASSERT_TRUE(file.seek(32 << 20) && file.write(data) == data.size());
        }
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        if (int64_t(info.st_blocks) * 512 >= kSize / 2)
            GTEST_SKIP() << "this file system does not keep holes";
        CFileBuffer sparse;
        sparse.SetProblemSink(&log);
        sparse.SetExtentThreshold(0);
        sparse.SetBlockCache(cache);
        ASSERT_TRUE(sparse.LoadFromFile(path));
        CBufferPos at;
        at.Bind(&sparse, false, 5);
        ASSERT_EQ(at.Insert(3), 3);
        at.Seek(5);
        ASSERT_EQ(at.Write("abc", 3), 3);
        at.Unbind();
        log.problems.clear();
        const ScopedWriteFaults nearlyFull({.freeSpace = c.freeSpace});
        EXPECT_EQ(sparse.SaveToFile(path), c.saved);
        if (c.saved) {
            EXPECT_TRUE(log.problems.empty());
        } else {
            ASSERT_EQ(log.problems.size(), 1u);
            EXPECT_EQ(log.problems[0].fileError, ENOSPC);
        }
        EXPECT_TRUE(ReadWholeFile(path) == (c.saved ? edited : original)) << "the file on disk";
    }
}

// A task's input over a sparse disk image with memory edits in it: the
// stretches still in the image go file to file (by the kernel, and through
// memory where the kernel will not), the edits by gathered writes. Every
// range gives exactly the buffer's bytes, and the image's holes stay holes.
TEST_F(FileExtentTest, ATaskInputCopiesTheFileStretchesAndKeepsTheirHoles)
{
    constexpr int64_t kMiB = int64_t(1) << 20;
    constexpr int64_t kImage = 96 * kMiB;
    const QString path = dir.filePath("image.bin");
    // Holes before the first data, between the two and after the second.
    WriteSparseFile(path, kImage, {{8 * kMiB, RandomBytes(64 * 1024, 41)}, {40 * kMiB, RandomBytes(64 * 1024, 42)}});
    const auto diskBytes = [](const QString& file) {
        struct stat info {};
        return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? int64_t(info.st_blocks) * 512 : -1;
    };
    const bool keepsHoles = diskBytes(path) < kImage / 2;

    ASSERT_TRUE(buffer.LoadFromFile(path));
    CBufferPos at;
    at.Bind(&buffer, true, 1000);
    ASSERT_EQ(at.Write("typed into a hole", 17), 17);
    at.Seek(8 * kMiB + 100);
    const QByteArray inserted = RandomBytes(5000, 43);
    ASSERT_EQ(at.Insert(inserted.size()), inserted.size());
    ASSERT_EQ(at.Write(inserted.constData(), inserted.size()), inserted.size());
    at.Seek(40 * kMiB + 5000 + 60 * 1024);
    ASSERT_EQ(at.Delete(8 * 1024), 8 * 1024);  // across the second data's end
    ASSERT_GE(buffer.ExtentCount(), 3) << "memory chunks between extents";
    const std::vector<uint8_t> plain = BufferBytes(buffer);
    const auto size = int64_t(plain.size());

    struct Range {
        const char* name;
        int64_t from;
        int64_t count;
    };
    const Range ranges[] = {
        {"the whole document", 0, size},
        {"inside the first hole to inside the middle one", 500, 20 * kMiB},
        {"inside the inserted bytes to inside the last hole", 8 * kMiB + 2000, 60 * kMiB},
        {"only a hole, up to the end", 50 * kMiB, size - 50 * kMiB},
        {"the typed bytes alone", 1000, 17},
        {"the last byte", size - 1, 1},
    };
    const QString input = dir.filePath("task-input.tmp");
    for (const bool kernelCopy : {true, false}) {
        const ScopedWriteFaults copying({.noKernelCopy = !kernelCopy});
        for (const Range& r : ranges) {
            SCOPED_TRACE(testing::Message() << r.name << (kernelCopy ? ", by the kernel" : ", through memory"));
            WriteWholeFile(input, QByteArray(1000, 'x'));  // an old file's bytes must not remain
            const CoreProblem problem = WriteBufferRangeToTempFile(buffer, r.from, r.count, input);
            ASSERT_FALSE(problem) << CoreMessages::ProblemText(problem).toStdString();
            const QByteArray written = ReadWholeFile(input);
            ASSERT_EQ(written.size(), r.count);
            EXPECT_EQ(std::memcmp(written.constData(), plain.data() + r.from, size_t(r.count)), 0) << "the bytes differ";
            if (keepsHoles) {
                EXPECT_LT(diskBytes(input), 4 * kMiB) << "holes were written as zeros";
            }
        }
    }
    EXPECT_TRUE(log.problems.empty());
}

// A failed task input names the file that failed, as the user reads it:
// the image when reading it failed or it changed, the task's file when
// writing failed.
TEST_F(FileExtentTest, AFailedTaskInputNamesTheFileThatFailed)
{
    const QString path = MakeFile(RandomBytes(3 << 20, 44));
    const QString input = dir.filePath("task-input.tmp");
    const auto failRead = [](int64_t offset, int64_t count, int64_t* result, int* error) {
        *result = -1;
        *error = EIO;
        return offset + count > (2 << 20);
    };
    const struct {
        std::function<void()> cause;
        QString text;
    } failures[] = {
        {[&] { platform::SourceFile::InjectReadFault(failRead); },
         QStringLiteral("An unexpected error occurred while accessing %1.").arg(path)},
        {[] { platform::ActiveWriteFaults().nextWriteError = ENOSPC; },
         QStringLiteral("There is not enough space on the disk to write %1.").arg(input)},
        {[&] { WriteWholeFile(path, RandomBytes(3 << 20, 45)); },
         path + "\n\nAnother program changed this file while it was open. Its bytes are no longer shown or saved "
                "from it, and the document is now read-only. Reload the file to see it as it is now."},
    };
    for (const auto& f : failures) {
        CFileBuffer image;
        image.SetExtentThreshold(0);
        ASSERT_TRUE(image.LoadFromFile(path));
        CBufferPos at;
        at.Bind(&image, true, 100);
        ASSERT_EQ(at.Write("edit", 4), 4);  // memory before the extent
        const ScopedWriteFaults faults({});
        f.cause();
        const CoreProblem problem = WriteBufferRangeToTempFile(image, 0, image.Size(), input);
        platform::SourceFile::InjectReadFault({});
        EXPECT_EQ(CoreMessages::ProblemText(problem), f.text);
    }
}

TEST_F(FileExtentTest, ABlockDeviceOpensAsExtentsOfItsOwnSize)
{
    const QByteArray bytes = RandomBytes(1 << 20, 11);
    const QString path = MakeFile(bytes);
    platform::SourceFile::InjectDeviceGeometry(512 * 1024, 4096);
    const bool loaded = buffer.LoadFromFile(path);
    platform::SourceFile::InjectDeviceGeometry(0, 0);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(buffer.Size(), 512 * 1024) << "the device's size, not the node's";
    EXPECT_TRUE(Contents() == std::vector<uint8_t>(bytes.begin(), bytes.begin() + 512 * 1024));
}

// A real disk: a loop device over an image file, where the environment lets
// the test attach one (it needs root and the loop driver).
TEST_F(FileExtentTest, ARealLoopDeviceOpensReadOnlyWithItsBytes)
{
    const QByteArray image = RandomBytes(1 << 20, 19);
    const QString imagePath = MakeFile(image, "disk.img");
    QProcess attach;
    attach.start("losetup", {"--find", "--show", imagePath});
    if (!attach.waitForFinished(10000) || attach.exitStatus() != QProcess::NormalExit || attach.exitCode() != 0)
        GTEST_SKIP() << "no loop device can be attached here: " << attach.readAllStandardError().trimmed().toStdString()
                     << attach.errorString().toStdString();
    const QString device = QString::fromLocal8Bit(attach.readAllStandardOutput().trimmed());
    struct Detach {
        QString device;
        ~Detach() { QProcess::execute("losetup", {"--detach", device}); }
    } detach{device};

    CBinEditDoc document;
    document.Buffer().SetExtentThreshold(0);
    ASSERT_TRUE(document.OnOpenDocument(device));
    EXPECT_EQ(document.Size(), image.size());
    EXPECT_EQ(document.Buffer().ExtentCount(), 1);
    EXPECT_TRUE(document.IsReadOnly()) << "a disk is looked at, never written";
    EXPECT_TRUE(BufferBytes(document.Buffer()) == std::vector<uint8_t>(image.begin(), image.end()));
}

}  // namespace

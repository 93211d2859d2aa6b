// Files that are not plain files: reading never waits and refuses devices,
// pipes and sockets; saving never replaces such a node; names that are not
// UTF-8; file stamps; the file-size-limit signal.
#include "ChildProcess.h"
#include "TestFiles.h"

#include "platform/AtomicFileWriter.h"
#include "platform/FileErrors.h"
#include "platform/FileNames.h"
#include "platform/FileReader.h"
#include "platform/FileStamp.h"
#include "platform/ProcessSignals.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <cstring>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

enum class Node { RegularFile, Directory, Fifo, Socket, NullDevice, LinkToFifo };

const char* NameOf(Node node)
{
    switch (node) {
    case Node::RegularFile: return "regular file";
    case Node::Directory: return "directory";
    case Node::Fifo: return "fifo";
    case Node::Socket: return "socket";
    case Node::NullDevice: return "character device";
    case Node::LinkToFifo: return "link to a fifo";
    }
    return "?";
}

class SpecialFilesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    // Makes the node; false when this system does not let us (mknod needs root).
    bool Make(Node node, const QString& path)
    {
        const QByteArray native = platform::EncodeFileName(path);
        switch (node) {
        case Node::RegularFile: return bool(std::ofstream(native.constData(), std::ios::binary) << "plain");
        case Node::Directory: return QDir().mkdir(path);
        case Node::Fifo: return ::mkfifo(native.constData(), 0644) == 0;
        case Node::Socket: {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            if (size_t(native.size()) >= sizeof address.sun_path)
                return false;
            std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
            const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            ::close(fd);
            return bound;
        }
        case Node::NullDevice: return ::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        case Node::LinkToFifo:
            return Make(Node::Fifo, path + ".target") &&
                   ::symlink(platform::EncodeFileName(path + ".target").constData(), native.constData()) == 0;
        }
        return false;
    }

    static mode_t TypeOf(const QString& path)
    {
        struct stat info {};
        return ::lstat(platform::EncodeFileName(path).constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
    }

    int EntryCount() const { return int(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size()); }
};

// Opening runs in a child process: a FIFO without a writer blocks forever
// when opened the ordinary way, and the test must fail rather than hang.
TEST_F(SpecialFilesTest, OpeningForReadingNeverWaitsAndTakesOnlyFilesAndDisks)
{
    struct Case {
        Node node;
        int expectedError;  // 0: opens
    };
    const Case cases[] = {
        {Node::RegularFile, 0},
        {Node::Directory, EISDIR},
        {Node::Fifo, platform::kNotARegularFile},
        {Node::LinkToFifo, platform::kNotARegularFile},
        {Node::Socket, ENXIO},
        {Node::NullDevice, platform::kNotARegularFile},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(NameOf(c.node)));
        if (!Make(c.node, path)) {
            ASSERT_EQ(c.node, Node::NullDevice) << "only mknod may be refused";
            continue;
        }
        const ChildOutcome outcome = RunInChildProcess([&] {
            platform::FileReader reader;
            const bool opened = reader.Open(path);
            return opened ? 0 : (reader.Error() & 0xFF) | 0x80;
        });
        ASSERT_TRUE(outcome.finished) << NameOf(c.node) << ": opening blocked";
        ASSERT_TRUE(outcome.exited) << NameOf(c.node);
        EXPECT_EQ(outcome.code, c.expectedError == 0 ? 0 : (c.expectedError & 0xFF) | 0x80) << NameOf(c.node);
    }
}

TEST_F(SpecialFilesTest, EndlessCharacterDevicesAreRefused)
{
    for (const char* device : {"/dev/zero", "/dev/urandom", "/dev/null"}) {
        platform::FileReader reader;
        EXPECT_FALSE(reader.Open(QString::fromLatin1(device))) << device;
        EXPECT_EQ(reader.Error(), platform::kNotARegularFile) << device;
    }
    EXPECT_EQ(platform::FileErrorText(platform::kNotARegularFile, "/dev/zero"),
              "Unable to open /dev/zero : It is a device, a pipe or a socket, not a file.");
}

TEST_F(SpecialFilesTest, AZeroSizeIsNotTakenAsEmpty)
{
    const QString empty = dir.filePath("empty");
    WriteWholeFile(empty, {});
    const QString full = dir.filePath("full");
    WriteWholeFile(full, "12345");
    const struct {
        QString path;
        int64_t size;
        bool exact;
    } cases[] = {{"/proc/self/maps", 0, false}, {empty, 0, false}, {full, 5, true}};
    for (const auto& c : cases) {
        platform::FileReader reader;
        ASSERT_TRUE(reader.Open(c.path)) << c.path.toStdString();
        EXPECT_EQ(reader.Size(), c.size) << c.path.toStdString();
        EXPECT_EQ(reader.SizeIsExact(), c.exact) << c.path.toStdString();
    }
}

TEST_F(SpecialFilesTest, SavingOverANodeThatIsNotAFileIsRefusedAndTheNodeStays)
{
    for (Node node : {Node::Fifo, Node::Socket, Node::NullDevice, Node::LinkToFifo}) {
        const QString path = dir.filePath(QString::fromLatin1(NameOf(node)));
        if (!Make(node, path)) {
            ASSERT_EQ(node, Node::NullDevice) << "only mknod may be refused";
            continue;
        }
        const mode_t before = TypeOf(path);
        const int entries = EntryCount();
        platform::AtomicFileWriter writer;
        EXPECT_FALSE(writer.Open(path)) << NameOf(node);
        EXPECT_EQ(writer.Error(), platform::kSaveOverSpecialFile) << NameOf(node);
        EXPECT_EQ(TypeOf(path), before) << NameOf(node) << " was replaced";
        EXPECT_EQ(EntryCount(), entries) << NameOf(node) << ": a temporary file was left";
    }
    EXPECT_EQ(platform::FileErrorText(platform::kSaveOverSpecialFile, "/tmp/p"),
              "Unable to save /tmp/p : It is a device, a pipe or a socket, not a file. It was left as it was.");
}

// Under a file-size limit, writing past it either ends the process with
// SIGXFSZ (the default) or fails with EFBIG once the signal is ignored. The
// first row shows that the limit really bites in this environment.
TEST_F(SpecialFilesTest, FileSizeLimitFailsTheWriteInsteadOfEndingTheProcess)
{
    for (const bool ignore : {false, true}) {
        const QString path = dir.filePath(ignore ? "ignored.bin" : "default.bin");
        const ChildOutcome outcome = RunInChildProcess([&] {
            ::signal(SIGXFSZ, SIG_DFL);
            if (ignore)
                platform::IgnoreFileSizeLimitSignal();
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 4096;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            platform::AtomicFileWriter writer;
            if (!writer.Open(path))
                return 2;
            const QByteArray block(64 * 1024, 'x');
            if (writer.Write(block.constData(), block.size()))
                return 3;
            return writer.Error() == EFBIG ? 0 : 4;
        });
        ASSERT_TRUE(outcome.finished);
        if (ignore) {
            EXPECT_TRUE(outcome.exited) << "ended by signal " << outcome.signal;
            EXPECT_EQ(outcome.code, 0);
        } else {
            EXPECT_EQ(outcome.signal, SIGXFSZ);
        }
    }
    // The writer that failed removed its temporary file; the killed one could not.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left.size(), 1) << left.join(", ").toStdString();
}

// ---------------------------------------------------------------- names

TEST_F(SpecialFilesTest, NamesThatAreNotUtf8SurviveTheTripThroughText)
{
    const struct {
        QByteArray bytes;
        QString shown;
    } cases[] = {
        {"plain.bin", "plain.bin"},
        {"caf\xc3\xa9.bin", QString::fromUtf8("caf\xc3\xa9.bin")},
        {"a\xff" "b", QStringLiteral("a\uFFFDb")},
        {"\xc3", QStringLiteral("\uFFFD")},                           // cut short
        {"\xc0\xaf", QStringLiteral("\uFFFD\uFFFD")},                 // overlong "/"
        {"\xed\xa0\x80", QStringLiteral("\uFFFD\uFFFD\uFFFD")},       // an encoded surrogate
        {"\xf0\x9f\x98\x80", QString::fromUtf8("\xf0\x9f\x98\x80")},  // outside the BMP
        {"\xf4\x90\x80\x80", QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD")},  // past U+10FFFF
    };
    for (const auto& c : cases) {
        const QString name = platform::DecodeFileName(c.bytes);
        EXPECT_EQ(platform::EncodeFileName(name), c.bytes) << c.bytes.toHex().constData();
        EXPECT_EQ(platform::DisplayFileName(name), c.shown) << c.bytes.toHex().constData();
    }
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes(int(random() % 12) + 1, '\0');
        for (char& b : bytes)
            b = char(random() % 255 + 1);  // names hold no zero byte
        ASSERT_EQ(platform::EncodeFileName(platform::DecodeFileName(bytes)), bytes) << bytes.toHex().constData();
    }
}

TEST_F(SpecialFilesTest, AFileWithAnInvalidNameIsReadAndSavedByItsBytes)
{
    const QByteArray raw = platform::EncodeFileName(dir.path()) + "/a\xff.bin";
    const QString name = platform::DecodeFileName(raw);
    ASSERT_TRUE(Make(Node::RegularFile, name));
    EXPECT_TRUE(platform::FileNameExists(name));
    platform::FileReader reader;
    ASSERT_TRUE(reader.Open(name)) << reader.Error();
    platform::AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(name));
    ASSERT_TRUE(writer.Write("new", 3));
    ASSERT_TRUE(writer.Commit());
    struct stat info {};
    ASSERT_EQ(::stat(raw.constData(), &info), 0);
    EXPECT_EQ(info.st_size, 3);
    EXPECT_EQ(RawFolderEntries(dir.path()), QList<QByteArray>{"a\xff.bin"});
    ::unlink(raw.constData());  // QTemporaryDir cannot remove what Qt cannot name
}

// ---------------------------------------------------------------- stamps

TEST_F(SpecialFilesTest, StampsTellRewrittenAndReplacedFilesApart)
{
    const QString path = dir.filePath("f.bin");
    WriteWholeFile(path, "one");
    const platform::FileStamp first = platform::StampOf(path);
    ASSERT_TRUE(first.exists);
    EXPECT_EQ(platform::StampOf(path), first) << "nothing happened";

    WriteWholeFile(path, "two!");
    EXPECT_NE(platform::StampOf(path), first) << "rewritten with another size";

    // Same size, same second: only the inode tells.
    const platform::FileStamp before = platform::StampOf(path);
    const QString other = dir.filePath("g.bin");
    WriteWholeFile(other, "tw0!");
    ASSERT_EQ(::rename(platform::EncodeFileName(other).constData(), platform::EncodeFileName(path).constData()), 0);
    EXPECT_NE(platform::StampOf(path).inode, before.inode);
    EXPECT_NE(platform::StampOf(path), before);

    EXPECT_FALSE(platform::StampOf(dir.filePath("missing")).exists);
}

} // namespace

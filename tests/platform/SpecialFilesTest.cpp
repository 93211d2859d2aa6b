// Saving never replaces a node that is not a plain file; names that are not
// UTF-8 survive the trip through text. (Reading such files, the file-size
// limit and file stamps are tested through the document and the program.)
#include "TestFiles.h"

#include "platform/AtomicFileWriter.h"
#include "platform/FileErrors.h"
#include "platform/FileNames.h"

#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cerrno>
#include <cstring>
#include <random>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

enum class Node { Fifo, Socket, NullDevice, LinkToFifo };

const char* NameOf(Node node)
{
    switch (node) {
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

TEST_F(SpecialFilesTest, SavingOverANodeThatIsNotAFileIsRefusedAndTheNodeStays)
{
    EXPECT_EQ(platform::FileErrorText(platform::kSaveOverSpecialFile, "/tmp/p"),
              "Unable to save /tmp/p : It is a device, a pipe or a socket, not a file. It was left as it was.");
    // The device comes last: making it may be refused, which ends the test there.
    for (Node node : {Node::Fifo, Node::Socket, Node::LinkToFifo, Node::NullDevice}) {
        const QString path = dir.filePath(QString::fromLatin1(NameOf(node)));
        if (!Make(node, path)) {
            const int error = errno;
            ASSERT_EQ(node, Node::NullDevice) << "only mknod may be refused";
            GTEST_SKIP() << "mknod was refused (" << std::strerror(error) << "): saving over a device was not tried";
        }
        const mode_t before = TypeOf(path);
        const int entries = EntryCount();
        platform::AtomicFileWriter writer;
        EXPECT_FALSE(writer.Open(path)) << NameOf(node);
        EXPECT_EQ(writer.Error(), platform::kSaveOverSpecialFile) << NameOf(node);
        EXPECT_EQ(TypeOf(path), before) << NameOf(node) << " was replaced";
        EXPECT_EQ(EntryCount(), entries) << NameOf(node) << ": a temporary file was left";
    }
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

// The toolkit's file dialogs list a name that is not UTF-8 with U+FFFD in
// place of its bytes; the chosen path is taken back to the entry's bytes.
TEST_F(SpecialFilesTest, NamesShownWithReplacementCharactersLeadBackToTheirFiles)
{
    const QByteArray folder = platform::EncodeFileName(dir.path()) + "/";
    ASSERT_EQ(::mkdir(folder + "sub\xff", 0755), 0);
    const QByteArray names[] = {"sub\xff/in\xfe.bin", "a\xff" "b.bin", "\xc3\x28.bin", "caf\xc3\xa9",
                                "real\xef\xbf\xbd", "two\xfe", "two\xfd"};
    for (const QByteArray& name : names)
        ASSERT_EQ(::close(::open(folder + name, O_CREAT | O_WRONLY, 0644)), 0) << name.toHex().constData();
    // What the user is shown for a name, and what choosing it must give.
    const auto shown = [&](const QByteArray& bytes) { return platform::DisplayFileName(platform::DecodeFileName(folder + bytes)); };
    const auto exact = [&](const QByteArray& bytes) { return platform::DecodeFileName(folder + bytes); };
    const struct {
        const char* what;
        QString chosen;
        QString expected;
    } cases[] = {
        {"one byte that is not UTF-8", shown("a\xff" "b.bin"), exact("a\xff" "b.bin")},
        {"a lead byte without its follower", shown("\xc3\x28.bin"), exact("\xc3\x28.bin")},
        {"a folder and a file that are not UTF-8", shown("sub\xff/in\xfe.bin"), exact("sub\xff/in\xfe.bin")},
        {"valid UTF-8 stays", shown("caf\xc3\xa9"), exact("caf\xc3\xa9")},
        {"a name with a real U+FFFD stays", shown("real\xef\xbf\xbd"), exact("real\xef\xbf\xbd")},
        {"two entries shown alike are not guessed", shown("two\xfe"), shown("two\xfe")},
        {"a new name stays as written", shown("new\xff"), shown("new\xff")},
        {"a relative path stays as written", QStringLiteral("gone\uFFFD"), QStringLiteral("gone\uFFFD")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::EncodeFileName(platform::RecoverFileName(c.chosen)), platform::EncodeFileName(c.expected))
            << c.what;
    }
    // The toolkit's listing leaves these out: folders first, then files.
    const QStringList unlisted = {exact("sub\xff") + "/", exact("a\xff" "b.bin"), exact("two\xfd"), exact("two\xfe"),
                                  exact("\xc3\x28.bin")};
    QStringList listed;
    for (const platform::FolderEntry& entry : platform::ListFolderByBytes(dir.path(), true))
        listed << entry.path + (entry.isFolder ? "/" : "");
    EXPECT_EQ(listed, unlisted);
    // QTemporaryDir cannot remove what the toolkit cannot name.
    for (const QByteArray& name : names)
        ::unlink(folder + name);
    ::rmdir(folder + "sub\xff");
}

// A file manager drops a text list of URLs in which every byte of a name
// that is not plain ASCII is escaped as %XX.
TEST(FileNameOfUrlTest, DroppedUrlsGiveTheExactBytesOfTheName)
{
    const struct {
        QByteArray uri;
        QByteArray name;  // empty: not a local file
    } cases[] = {
        {"file:///tmp/a%FFb.bin", "/tmp/a\xff" "b.bin"},
        {"file:///tmp/%C3%28.bin", "/tmp/\xc3\x28.bin"},
        {"file:///tmp/caf%C3%A9", "/tmp/caf\xc3\xa9"},
        {"file:///tmp/two%20words", "/tmp/two words"},
        {"file:///tmp/100%25", "/tmp/100%"},
        {"https://example.org/a%FF", ""},
    };
    QByteArray list;
    for (const auto& c : cases)
        list += c.uri + "\r\n";
    QMimeData dropped;
    dropped.setData(QStringLiteral("text/uri-list"), list);
    const QList<QUrl> urls = dropped.urls();
    ASSERT_EQ(urls.size(), qsizetype(std::size(cases)));
    for (qsizetype i = 0; i < urls.size(); ++i)
        EXPECT_EQ(platform::EncodeFileName(platform::FileNameOfUrl(urls[i])), cases[i].name) << cases[i].uri.constData();
    // And back: the URL the program hands the desktop for such a name.
    for (const auto& c : cases) {
        if (c.name.isEmpty())
            continue;
        const QUrl url = platform::UrlOfFileName(platform::DecodeFileName(c.name));
        EXPECT_TRUE(url.isLocalFile()) << c.uri.constData();
        EXPECT_EQ(platform::EncodeFileName(platform::FileNameOfUrl(url)), c.name) << c.uri.constData();
    }
}

} // namespace

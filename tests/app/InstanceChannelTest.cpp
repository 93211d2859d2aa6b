// The single-instance channel: who owns the name, the instance check, a name
// left behind by a crashed copy, and the framing of forwarded blocks.
#include "platform/InstanceChannel.h"
#include "ForwardClient.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTest>
#include <QUuid>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString UniqueName() { return "vantrel-test-" + QUuid::createUuid().toString(QUuid::Id128); }

QByteArray Block(const QByteArray& payload, const char* tag = "VANT")
{
    QByteArray block(tag, 4);
    char count[4];
    qToLittleEndian<uint32_t>(uint32_t(payload.size()), count);
    return block + QByteArray(count, 4) + payload;
}

// A receiver that records what reaches it.
struct Recorder {
    int contacts = 0;
    QList<QByteArray> blocks;
    uint32_t reply = 7;

    void Attach(platform::InstanceGuard& guard)
    {
        guard.SetReceiver([this] { ++contacts; },
                          [this](const QByteArray& block) {
                              blocks.append(block);
                              return reply;
                          });
    }
};

// Makes the socket file a crashed program leaves: bound, never unlinked,
// nobody listening.
bool MakeStaleSocket(const QString& path)
{
    // The private folder is made by the first guard; a crashed copy left it behind.
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder) || ::chmod(QFile::encodeName(folder).constData(), 0700) != 0)
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    std::memcpy(address.sun_path, native.constData(), std::min<size_t>(native.size(), sizeof address.sun_path - 1));
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

} // namespace

TEST(InstanceGuardTest, FirstCopyOwnsTheNameAndFindsNoOther)
{
    platform::InstanceGuard first(UniqueName());
    EXPECT_TRUE(first.OwnsChannel());
    EXPECT_FALSE(first.CheckForOtherInstance());
    EXPECT_EQ(first.FoundInstance(), nullptr);
}

TEST(InstanceGuardTest, SecondCopyFindsTheFirstWhichIsContacted)
{
    const QString name = UniqueName();
    platform::InstanceGuard first(name);
    Recorder recorder;
    recorder.Attach(first);

    platform::InstanceGuard second(name);
    EXPECT_FALSE(second.OwnsChannel());
    ASSERT_TRUE(second.CheckForOtherInstance());
    ASSERT_NE(second.FoundInstance(), nullptr);
    EXPECT_EQ(second.FoundInstance()->state(), QLocalSocket::ConnectedState);
    EXPECT_TRUE(WaitUntil([&] { return recorder.contacts == 1; }));
    EXPECT_TRUE(recorder.blocks.isEmpty()) << "the instance test alone forwards nothing";
    EXPECT_TRUE(platform::PeerIsSameUser(*second.FoundInstance()));
}

TEST(InstanceGuardTest, NameLeftBehindByACrashedCopyIsTakenOver)
{
    const QString name = UniqueName();
    const QString path = platform::InstanceChannelPath(name);
    ASSERT_TRUE(MakeStaleSocket(path));
    platform::InstanceGuard guard(name);
    EXPECT_FALSE(guard.OwnsChannel());
    EXPECT_FALSE(guard.CheckForOtherInstance()) << "nobody answers on a stale name";
    EXPECT_TRUE(guard.OwnsChannel());

    platform::InstanceGuard later(name);
    EXPECT_TRUE(later.CheckForOtherInstance());
}

TEST(InstanceGuardTest, CompleteBlockReachesTheReceiverAndItsReplyComesBack)
{
    const QString name = UniqueName();
    platform::InstanceGuard guard(name);
    Recorder recorder;
    recorder.Attach(guard);
    const QByteArray block = Block(QByteArray("0123456789abcdef0123456789abcdef0123456789"));
    // Sent in two parts: the receiver waits for the whole block.
    EXPECT_EQ(ExchangeWithInstance(platform::InstanceChannelPath(name), block), std::optional<uint32_t>(7));
    ASSERT_EQ(recorder.blocks.size(), 1);
    EXPECT_EQ(recorder.blocks.front(), block);
}

TEST(InstanceGuardTest, OversizedByteCountIsRefusedAtOnce)
{
    const QString name = UniqueName();
    platform::InstanceGuard guard(name);
    Recorder recorder;
    recorder.Attach(guard);
    QByteArray header("VANT");
    char count[4];
    qToLittleEndian<uint32_t>(platform::kMaxForwardBytes + 1, count);
    EXPECT_EQ(ExchangeWithInstance(platform::InstanceChannelPath(name), header + QByteArray(count, 4)), std::optional<uint32_t>(0));
    EXPECT_TRUE(recorder.blocks.isEmpty());
}

TEST(InstanceGuardTest, ConnectionsWaitUntilTheReceiverIsSet)
{
    const QString name = UniqueName();
    platform::InstanceGuard guard(name);
    QLocalSocket early;
    early.connectToServer(guard.Path());
    ASSERT_TRUE(early.waitForConnected(1000));
    early.write(Block(QByteArray(40, 'x')));
    early.flush();
    QTest::qWait(50);

    Recorder recorder;
    recorder.Attach(guard);
    ASSERT_TRUE(WaitUntil([&] { return recorder.blocks.size() == 1; }));
    EXPECT_EQ(recorder.contacts, 1);
    EXPECT_TRUE(WaitUntil([&] { return early.bytesAvailable() >= 4; }));
}

TEST(InstanceGuardTest, ClientThatHangsUpMidBlockIsForgotten)
{
    const QString name = UniqueName();
    platform::InstanceGuard guard(name);
    Recorder recorder;
    recorder.Attach(guard);
    {
        QLocalSocket client;
        client.connectToServer(guard.Path());
        ASSERT_TRUE(client.waitForConnected(1000));
        client.write(Block(QByteArray(100, 'x')).left(30));
        client.flush();
        ASSERT_TRUE(WaitUntil([&] { return recorder.contacts == 1; }));
        ASSERT_EQ(guard.findChildren<QLocalSocket*>().size(), 1) << "the server holds the connection until the hang-up";
    }
    EXPECT_TRUE(WaitUntil([&] { return guard.findChildren<QLocalSocket*>().isEmpty(); }));
    EXPECT_TRUE(recorder.blocks.isEmpty());
    // The server still answers the next client.
    EXPECT_EQ(ExchangeWithInstance(platform::InstanceChannelPath(name), Block(QByteArray(40, 'y'))), std::optional<uint32_t>(7));
}

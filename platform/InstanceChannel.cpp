#include "InstanceChannel.h"
#include "TempFile.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kHeaderBytes = 8;  // tag and byte count
// A client that starts a block and never finishes it is dropped after this.
constexpr int kIncompleteBlockTimeoutMs = 5000;

QByteArray ReplyBytes(uint32_t reply)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<uint32_t>(reply, bytes.data());
    return bytes;
}

// One accepted connection: collects the block, hands it over, replies, closes.
class ForwardConnection : public QObject {
public:
    ForwardConnection(QLocalSocket* socket, InstanceGuard::BlockHandler handler, InstanceGuard::AcceptedHandler accepted,
                      QObject* parent)
        : QObject(parent), socket_(socket), handler_(std::move(handler)), accepted_(std::move(accepted))
    {
        socket_->setParent(this);
        connect(socket_, &QLocalSocket::readyRead, this, &ForwardConnection::ReadMore);
        // While the handler runs (it may show a modal message) this object
        // must survive a client that hangs up; Finish deletes it afterwards.
        connect(socket_, &QLocalSocket::disconnected, this, [this] {
            if (!busy_)
                deleteLater();
        });
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this] { Finish(0); });
        timer_.start(kIncompleteBlockTimeoutMs);
        ReadMore();
    }

private:
    void ReadMore()
    {
        if (done_)
            return;
        buffer_ += socket_->readAll();
        if (buffer_.size() < kHeaderBytes)
            return;
        const uint32_t count = qFromLittleEndian<uint32_t>(buffer_.constData() + 4);
        if (count > kMaxForwardBytes) {
            Finish(0);
            return;
        }
        const qsizetype total = kHeaderBytes + qsizetype(count);
        if (buffer_.size() < total)
            return;
        done_ = true;
        timer_.stop();
        const QByteArray block = buffer_.left(total);
        busy_ = true;
        const uint32_t reply = handler_ ? handler_(block) : 0;
        busy_ = false;
        const bool delivered = Finish(reply);
        if (delivered && reply != 0 && accepted_)
            accepted_(block);
    }

    // True when the reply reached a sender that is still waiting for it.
    bool Finish(uint32_t reply)
    {
        done_ = true;
        timer_.stop();
        bool delivered = false;
        if (socket_->state() == QLocalSocket::ConnectedState) {
            delivered = socket_->write(ReplyBytes(reply)) == 4 && socket_->flush() &&
                        socket_->state() == QLocalSocket::ConnectedState;
            socket_->disconnectFromServer();
        }
        if (socket_->state() == QLocalSocket::UnconnectedState)
            deleteLater();
        return delivered;
    }

    QLocalSocket* socket_;
    InstanceGuard::BlockHandler handler_;
    InstanceGuard::AcceptedHandler accepted_;
    QByteArray buffer_;
    QTimer timer_;
    bool done_ = false;
    bool busy_ = false;
};

} // namespace

QString InstanceChannelName()
{
    QString name = QStringLiteral("KESTRANE_VANTREL_HEX_EDITOR_MUTEX_NAME-%1").arg(uint(::getuid()));
    const QByteArray configDir = qgetenv("VANTREL_CONFIG_DIR");
    if (!configDir.isEmpty())
        name += QLatin1Char('-') + QString::fromLatin1(QCryptographicHash::hash(configDir, QCryptographicHash::Sha1).toHex().left(12));
    return name;
}

QString InstanceChannelFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return runtime;
    return TempDirectory() + QStringLiteral("/kestrane-vantrel-%1").arg(uint(::getuid()));
}

QString InstanceChannelPath(const QString& name) { return InstanceChannelFolder() + QLatin1Char('/') + name; }

namespace {
// The folder must exist, belong to this user and admit nobody else.
bool PrepareFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    struct stat info{};
    const QByteArray native = QFile::encodeName(folder);
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    if ((info.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return false;
    return true;
}
} // namespace

bool PeerIsSameUser(const QLocalSocket& socket)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    const int fd = int(socket.socketDescriptor());
    if (fd < 0 || ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return credentials.uid == ::getuid();
}

InstanceGuard::InstanceGuard(const QString& name, QObject* parent)
    : QObject(parent), name_(name), path_(InstanceChannelPath(name)), folderSafe_(PrepareFolder(InstanceChannelFolder()))
{
    Claim();
}

InstanceGuard::~InstanceGuard() = default;

bool InstanceGuard::OwnsChannel() const { return server_ && server_->isListening(); }

bool InstanceGuard::Claim()
{
    if (!folderSafe_)
        return false;
    // No access options: those make Qt replace an existing socket file, which
    // would take the name from a running copy. The folder keeps others out.
    auto server = std::make_unique<QLocalServer>();
    if (!server->listen(path_))
        return false;
    connect(server.get(), &QLocalServer::newConnection, this, &InstanceGuard::AcceptPending);
    server_ = std::move(server);
    return true;
}

bool InstanceGuard::CheckForOtherInstance()
{
    // Without a safe folder there is no channel: every copy runs on its own.
    if (OwnsChannel() || !folderSafe_)
        return false;
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(path_);
    if (socket->waitForConnected(kInstanceTestTimeoutMs)) {
        found_ = std::move(socket);
        return true;
    }
    // Nobody answers on the name: either it was left behind by a copy that
    // ended abnormally, or the holder is hung. Only the first case lets us
    // take the name over; in the second the holder still exists.
    if (socket->error() == QLocalSocket::SocketTimeoutError)
        return true;
    QLocalServer::removeServer(path_);
    return !Claim();
}

void InstanceGuard::SetReceiver(ContactHandler contacted, BlockHandler handleBlock, AcceptedHandler accepted)
{
    contacted_ = std::move(contacted);
    handleBlock_ = std::move(handleBlock);
    accepted_ = std::move(accepted);
    AcceptPending();
}

void InstanceGuard::AcceptPending()
{
    if (!server_ || !handleBlock_)
        return;
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (!PeerIsSameUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // The connection asks the guard at the time the block is complete, so
        // a receiver removed meanwhile is never called.
        new ForwardConnection(
            socket, [this](const QByteArray& block) { return handleBlock_ ? handleBlock_(block) : 0u; },
            [this](const QByteArray& block) {
                if (accepted_)
                    accepted_(block);
            },
            this);
        if (contacted_)
            contacted_();
    }
}

std::optional<uint32_t> SendBlock(QLocalSocket& socket, const QByteArray& block, int replyTimeoutMs)
{
    if (socket.state() != QLocalSocket::ConnectedState)
        return std::nullopt;
    socket.write(block);
    const QDeadlineTimer deadline(replyTimeoutMs);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return std::nullopt;
    QByteArray reply;
    while (reply.size() < 4) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
        reply += socket.read(4 - reply.size());
    }
    if (reply.size() < 4)
        return std::nullopt;
    return qFromLittleEndian<uint32_t>(reply.constData());
}

} // namespace platform

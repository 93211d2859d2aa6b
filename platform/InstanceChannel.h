#pragma once
// The single-instance channel: a local socket server on a per-user name. The
// first copy of the program claims the name and answers later copies; a later
// copy that may not run on its own connects, forwards its command line as one
// block and reads a 32-bit reply.
//
// "Another instance exists" means a connection succeeds within 200 ms. The
// running instance treats every accepted connection as the instance test (it
// comes to the front) and every complete block as a forwarded command line.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace platform {

constexpr int kInstanceTestTimeoutMs = 200;
// The running instance replies as soon as it has checked the block and opens
// the files afterwards, so an answer takes milliseconds; one that takes
// longer than this means the running copy is stopped or hung.
constexpr int kForwardReplyTimeoutMs = 5000;
// A forwarded command line is a few kilobytes; anything far larger is refused.
constexpr uint32_t kMaxForwardBytes = 1u << 20;

// "KESTRANE_VANTREL_HEX_EDITOR_MUTEX_NAME" and the user id. A program run with
// its own settings folder (VANTREL_CONFIG_DIR) gets a name of its own too, so a
// test run never reaches the user's running editor.
QString InstanceChannelName();

// Where the channel's socket lives: a folder only this user can enter
// ($XDG_RUNTIME_DIR, or a private folder in the temporary directory), so
// other users can neither connect nor put a socket of their own there.
QString InstanceChannelFolder();
QString InstanceChannelPath(const QString& name);

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    // Gets the block (header included) and returns the reply to send.
    using BlockHandler = std::function<uint32_t(const QByteArray& block)>;
    // Acts on a block once a non-zero reply has reached its sender. A sender
    // that gave up waiting (and told its user that nothing was opened) gets
    // nothing done on its behalf.
    using AcceptedHandler = std::function<void(const QByteArray& block)>;
    // Called for every accepted connection from the same user.
    using ContactHandler = std::function<void()>;

    // Claims the name when nobody holds it.
    explicit InstanceGuard(const QString& name = InstanceChannelName(), QObject* parent = nullptr);
    ~InstanceGuard() override;

    const QString& Name() const { return name_; }
    // The socket's path, which clients connect to.
    const QString& Path() const { return path_; }
    bool OwnsChannel() const;

    // The instance check. False when no other instance holds the channel (a
    // name left behind by a copy that crashed is taken over). True when one
    // does, whether or not it answered within the time limit.
    bool CheckForOtherInstance();
    // The connection to the running instance made by the check; null when
    // none answered.
    QLocalSocket* FoundInstance() const { return found_.get(); }

    // Starts answering later copies. Connections that arrived before stay
    // queued until then.
    void SetReceiver(ContactHandler contacted, BlockHandler handleBlock, AcceptedHandler accepted = {});

private:
    bool Claim();
    void AcceptPending();

    QString name_;
    QString path_;
    bool folderSafe_ = false;
    std::unique_ptr<QLocalServer> server_;
    std::unique_ptr<QLocalSocket> found_;
    ContactHandler contacted_;
    BlockHandler handleBlock_;
    AcceptedHandler accepted_;
};

// Writes the block and waits for the 32-bit little-endian reply; nothing
// when the connection fails, closes or times out first.
std::optional<uint32_t> SendBlock(QLocalSocket& socket, const QByteArray& block, int replyTimeoutMs = kForwardReplyTimeoutMs);

// The same user id check the server makes on every connection.
bool PeerIsSameUser(const QLocalSocket& socket);

} // namespace platform

#include "ForwardClient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QtEndian>

std::optional<uint32_t> ExchangeWithInstance(const QString& path, const QByteArray& bytes, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(1000))
        return std::nullopt;
    socket.write(bytes);
    socket.flush();
    QByteArray reply;
    QElapsedTimer clock;
    clock.start();
    while (reply.size() < 4 && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        reply += socket.read(4 - reply.size());
        if (socket.state() == QLocalSocket::UnconnectedState && socket.bytesAvailable() == 0)
            break;
    }
    if (reply.size() < 4)
        return std::nullopt;
    return qFromLittleEndian<uint32_t>(reply.constData());
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

QByteArray RawForwardBlock(const char* tag, uint32_t byteCount, const QString& text)
{
    QByteArray block(tag, 4);
    char count[4];
    qToLittleEndian<uint32_t>(byteCount, count);
    block.append(count, 4);
    for (QChar c : text) {
        char bytes[2];
        qToLittleEndian<char16_t>(c.unicode(), bytes);
        block.append(bytes, 2);
    }
    return block;
}

QByteArray TerminatedForwardBlock(const char* tag, const QString& text)
{
    const QString terminated = text + QChar(0);
    return RawForwardBlock(tag, uint32_t(terminated.size() * 2), terminated);
}

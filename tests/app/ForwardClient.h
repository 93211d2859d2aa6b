#pragma once
// A test client of the single-instance channel that keeps the event loop
// running while it waits, so the server may live in the same thread.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// Connects, sends the bytes and waits for the 32-bit reply; nothing when the
// connection fails or closes without one.
std::optional<uint32_t> ExchangeWithInstance(const QString& path, const QByteArray& bytes, int timeoutMs = 5000);

#include <functional>
// Runs the event loop until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 3000);

// A forwarding block with any tag, byte count and text (UTF-16LE, written as
// given: add the terminating zero to the text when wanted).
QByteArray RawForwardBlock(const char* tag, uint32_t byteCount, const QString& text);
// The same with the count that matches the text plus its terminating zero.
QByteArray TerminatedForwardBlock(const char* tag, const QString& text);

#pragma once
// Small helpers for tests that work on real files.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <optional>

QByteArray ReadWholeFile(const QString& path);
void WriteWholeFile(const QString& path, const QByteArray& bytes);
QByteArray RandomBytes(int count, unsigned seed);
// A sparse file of size bytes (no disk space used), zeros but for the bytes
// planted at their offsets.
void WriteSparseFile(const QString& path, int64_t size, const QList<QPair<int64_t, QByteArray>>& planted);

// Names in the folder as the kernel lists them (Qt's own listing skips names
// that are not valid UTF-8), without "." and "..".
QList<QByteArray> RawFolderEntries(const QString& folder);

// Files by the exact bytes of their names, which the toolkit cannot reach
// when the names are not UTF-8. The mode is set as given, whatever the umask.
void WriteRawFile(const QByteArray& path, const QByteArray& bytes, unsigned mode = 0644);
// The file's bytes, or nothing when it cannot be opened.
std::optional<QByteArray> ReadRawFile(const QByteArray& path);

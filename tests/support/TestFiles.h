#pragma once
// Small helpers for tests that work on real files.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

QByteArray ReadWholeFile(const QString& path);
void WriteWholeFile(const QString& path, const QByteArray& bytes);
QByteArray RandomBytes(int count, unsigned seed);

// Names in the folder as the kernel lists them (Qt's own listing skips names
// that are not valid UTF-8), without "." and "..".
QList<QByteArray> RawFolderEntries(const QString& folder);

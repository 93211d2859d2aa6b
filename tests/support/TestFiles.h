#pragma once
// Small helpers for tests that work on real files.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

QByteArray ReadWholeFile(const QString& path);
void WriteWholeFile(const QString& path, const QByteArray& bytes);
QByteArray RandomBytes(int count, unsigned seed);

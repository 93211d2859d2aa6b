#pragma once
// Handing a task's product to the user: to standard output, or to a file
// written through the atomic writer, so that a failed run leaves no partial
// file behind and an existing file unchanged.
#include <QByteArray>
#include <QString>

// target "-" or empty: standard output. False after the problem was printed.
bool DeliverFile(const QString& producedPath, const QString& target);
bool DeliverBytes(const QByteArray& bytes, const QString& target);

bool IsStandardOutput(const QString& target);

#pragma once
// File names as the kernel sees them: byte strings, usually but not always
// UTF-8. Qt turns invalid bytes into U+FFFD, after which the file cannot be
// found again. Here each byte that is not part of valid UTF-8 is kept as the
// lone surrogate U+DC80 to U+DCFF, so every name survives the trip through a
// QString (and through the forwarding block) unchanged.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);
// For showing to the user: kept bytes appear as replacement characters.
QString DisplayFileName(const QString& name);
// Whether something exists under the name (looked up by its bytes).
bool FileNameExists(const QString& name);
// The process's arguments decoded the same way (program name first).
QStringList DecodeArguments(int argc, char** argv);

} // namespace platform

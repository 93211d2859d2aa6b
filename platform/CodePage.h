#pragma once
// The system 8-bit code page is UTF-8 on this platform. These two functions
// are the only conversions between the program's UTF-16 text and it.
#include <QByteArray>
#include <QString>

namespace platform {

// A character that cannot be encoded (a lone surrogate) becomes "?".
QByteArray ToCodePage(QStringView text);
// Invalid sequences become U+FFFD.
QString FromCodePage(const char* data, qsizetype length);
inline QString FromCodePage(const QByteArray& bytes) { return FromCodePage(bytes.constData(), bytes.size()); }

} // namespace platform

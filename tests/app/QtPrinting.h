#pragma once
// Readable failure output for Qt strings in GoogleTest messages.
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

#pragma once
// What a command prints on standard output: lines of text in UTF-8, raw
// bytes, or one JSON document (Qt writes 64-bit integers exactly).
#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

void PrintLine(const QString& line);
// False when standard output refused the bytes (a closed pipe, a full disk).
bool WriteStandardOutput(const char* data, int64_t count);
void PrintJson(const QJsonObject& document);
void PrintJson(const QJsonArray& document);
// Flushes standard output; false (after saying so) when anything written to
// it was lost, which turns a run into a failure.
bool FinishStandardOutput();

#pragma once
// Runs a reference tool (md5sum, gzip, base64, python3) and returns what it
// wrote to standard output.
#include <QByteArray>
#include <QString>
#include <QStringList>

bool ToolExists(const QString& program);
// Throws when the tool cannot be started or fails.
QByteArray RunTool(const QString& program, const QStringList& arguments, const QByteArray& input = {});

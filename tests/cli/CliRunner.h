#pragma once
// Runs the real vantrel-cli and collects what it said, and the reference
// tools the tests hold it against.
#include <QByteArray>
#include <QString>
#include <QStringList>

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliResult RunCli(const QStringList& arguments);
// Any program, with bytes on its standard input; standard output.
CliResult RunTool(const QString& program, const QStringList& arguments, const QByteArray& input = {});
// python3 -c script with arguments; standard output, trimmed.
QByteArray Python(const QString& script, const QStringList& arguments = {});
// Whether text is one JSON document that Python's json module accepts.
bool PythonAcceptsJson(const QByteArray& text);

#include "CliRunner.h"

#include <QProcess>

#include <gtest/gtest.h>

CliResult RunTool(const QString& program, const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(30000)) {
        ADD_FAILURE() << "could not start " << program.toStdString();
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " did not finish";
        return {};
    }
    CliResult result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

CliResult RunCli(const QStringList& arguments) { return RunTool(QStringLiteral(VANTREL_CLI_PROGRAM), arguments); }

QByteArray Python(const QString& script, const QStringList& arguments)
{
    const CliResult result = RunTool(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), script} + arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return result.out.trimmed();
}

bool PythonAcceptsJson(const QByteArray& text)
{
    const CliResult result =
        RunTool(QStringLiteral("python3"), {QStringLiteral("-c"), QStringLiteral("import json,sys; json.load(sys.stdin)")}, text);
    return result.exitCode == 0;
}

#include "ExternalTool.h"

#include <QProcess>
#include <QStandardPaths>
#include <stdexcept>

bool ToolExists(const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

QByteArray RunTool(const QString& program, const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        throw std::runtime_error("cannot start " + program.toStdString());
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error(program.toStdString() + " failed: " + process.readAllStandardError().toStdString());
    return process.readAllStandardOutput();
}

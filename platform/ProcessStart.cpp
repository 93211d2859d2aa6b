#include "ProcessStart.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>
#include <unistd.h>

namespace platform {

namespace {

// Linux refuses a single argument of 32 pages or more (MAX_ARG_STRLEN).
constexpr qsizetype kSingleArgumentLimit = 32 * 4096;

// Each string passed to exec costs its bytes, its terminating zero and a pointer.
qsizetype ExecCost(const QByteArray& bytes) { return bytes.size() + 1 + qsizetype(sizeof(char*)); }

QString ResolveAgainst(const QString& command, const QString& workingDir)
{
    if (QDir::isAbsolutePath(command) || workingDir.isEmpty())
        return command;
    return QDir(workingDir).filePath(command);
}

} // namespace

bool ArgumentsFitSystemLimit(const QString& program, const QStringList& arguments)
{
    long total = sysconf(_SC_ARG_MAX);
    if (total <= 0)
        total = 128 * 1024;
    qsizetype used = ExecCost(program.toLocal8Bit());
    for (const QString& variable : QProcessEnvironment::systemEnvironment().toStringList())
        used += ExecCost(variable.toLocal8Bit());
    for (const QString& argument : arguments) {
        const QByteArray bytes = argument.toLocal8Bit();
        if (bytes.size() + 1 > kSingleArgumentLimit)
            return false;
        used += ExecCost(bytes);
    }
    // Leave room for the auxiliary data the kernel puts on the new stack.
    return used + 4096 < total;
}

bool OpenCommand(const QString& command, const QStringList& arguments, const QString& workingDir)
{
    if (command.isEmpty())
        return false;
    QString program;
    if (command.contains(u'/')) {
        const QFileInfo file(ResolveAgainst(command, workingDir));
        if (!file.exists())
            return false;
        if (!file.isFile() || !file.isExecutable()) {
            // A document: the desktop's application for it, which takes no arguments.
            return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
        }
        program = file.absoluteFilePath();
    } else {
        program = QStandardPaths::findExecutable(command);
        if (program.isEmpty()) {
            const QFileInfo file(ResolveAgainst(command, workingDir));
            if (!file.isFile())
                return false;
            if (!file.isExecutable())
                return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
            program = file.absoluteFilePath();
        }
    }
    if (!workingDir.isEmpty() && !QFileInfo(workingDir).isDir())
        return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    return process.startDetached();
}

} // namespace platform

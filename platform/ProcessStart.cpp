#include "ProcessStart.h"

#include "DetachedProcess.h"
#include "FileNames.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>
#include <sys/stat.h>
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

// Names are looked up by their exact bytes: the toolkit's own file checks
// convert a name as text and miss one that is not UTF-8.
bool StatExact(const QString& path, struct stat* info) { return ::stat(EncodeFileName(path).constData(), info) == 0; }

bool IsExecutableFile(const QString& path, const struct stat& info)
{
    return S_ISREG(info.st_mode) && ::access(EncodeFileName(path).constData(), X_OK) == 0;
}

} // namespace

bool ArgumentsFitSystemLimit(const QString& program, const QStringList& arguments)
{
    long total = sysconf(_SC_ARG_MAX);
    if (total <= 0)
        total = 128 * 1024;
    qsizetype used = ExecCost(EncodeFileName(program));
    for (const QString& variable : QProcessEnvironment::systemEnvironment().toStringList())
        used += ExecCost(variable.toLocal8Bit());
    for (const QString& argument : arguments) {
        const QByteArray bytes = EncodeFileName(argument);
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
        const QString file = AbsoluteFileName(ResolveAgainst(command, workingDir));
        struct stat info {};
        if (!StatExact(file, &info))
            return false;
        if (!IsExecutableFile(file, info)) {
            // A document: the desktop's application for it, which takes no arguments.
            return QDesktopServices::openUrl(UrlOfFileName(file));
        }
        program = file;
    } else {
        program = QStandardPaths::findExecutable(command);
        if (program.isEmpty()) {
            const QString file = AbsoluteFileName(ResolveAgainst(command, workingDir));
            struct stat info {};
            if (!StatExact(file, &info) || !S_ISREG(info.st_mode))
                return false;
            if (!IsExecutableFile(file, info))
                return QDesktopServices::openUrl(UrlOfFileName(file));
            program = file;
        }
    }
    struct stat folder {};
    if (!workingDir.isEmpty() && (!StatExact(workingDir, &folder) || !S_ISDIR(folder.st_mode)))
        return false;
    QList<QByteArray> encoded;
    for (const QString& argument : arguments)
        encoded.append(EncodeFileName(argument));
    return StartDetached(EncodeFileName(program), encoded, EncodeFileName(workingDir)) == 0;
}

} // namespace platform

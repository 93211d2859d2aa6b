// "run": any installed task by name on a file or a stretch of it, staged
// and delivered as the editor's task commands stage and take back: the
// conversion's bytes, the export's text, the checksum's report, the
// import's bytes. Copy As and Paste As work on the clipboard, which a
// command line does not have.
#include "CliCommand.h"
#include "CliMessages.h"
#include "CliTaskRun.h"
#include "OutputDelivery.h"

#include "ext/ExtensionRegistries.h"
#include "ext/TaskTexts.h"
#include "platform/FileErrors.h"

#include <QFileInfo>

#include <cerrno>

namespace {

constexpr int64_t kMaxReportBytes = 1 << 20;

std::optional<AppSettings> LoadSettingsFor(const CliArguments& arguments)
{
    if (!arguments.Has(QStringLiteral("--settings")))
        return LoadCliSettings();
    const QString ini = arguments.Value(QStringLiteral("--settings"));
    const QFileInfo info(ini);
    if (!info.exists() || !info.isFile()) {
        PrintProblem(ini, platform::FileErrorText(info.exists() ? EISDIR : ENOENT, ini));
        return std::nullopt;
    }
    return LoadCliSettings(ini);
}

// The checksum report as text lines; the other kinds' output as it is.
bool Deliver(int kind, const QString& producedPath, const QString& target)
{
    if (kind != TASK_CHECKSUM)
        return DeliverFile(producedPath, target);
    const std::optional<QByteArray> report = ReadTaskOutput(producedPath, kMaxReportBytes);
    if (!report)
        return false;
    QString text = ChecksumReportText(*report);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return DeliverBytes(text.toUtf8(), target);
}

} // namespace

int RunTaskCommand(const CliArguments& arguments)
{
    const QStringList& words = arguments.Positional();
    if (words.size() != 2)
        return Fail(QString(), QStringLiteral("run: name a task and a file (see \"vantrel-cli run --help\")"));
    const std::optional<AppSettings> settings = LoadSettingsFor(arguments);
    if (!settings)
        return kExitTrouble;
    TaskExtensions& tasks = LoadedTaskRegistry();
    QString error;
    const std::optional<TaskRef> task = FindTaskByName(tasks, words[0], error);
    if (!task)
        return Fail(QString(), error);
    if (task->kind == TASK_COPY_AS || task->kind == TASK_PASTE_AS)
        return Fail(QString(), QStringLiteral("\"%1\" works on the clipboard, which the command line does not use")
                                   .arg(tasks.Task(task->kind, task->index).name));

    const QString& path = words[1];
    const std::optional<StagedStretch> staged = StageFileStretch(path, arguments);
    if (!staged)
        return kExitTrouble;
    const std::unique_ptr<TaskTempFile> output = MakeTaskTempFileOrReport();
    if (!output)
        return kExitTrouble;
    // An import has no document: its task sees no view, as in the editor.
    const TaskViewParams view = CliViewParams(path, staged->stretch, settings->bytesPerRow);
    // The module's messages are about the file it was given.
    MessageFile messages(path);
    const bool ran = RunTaskHandler(tasks, *task, staged->input.Path(), output->Path(),
                                    task->kind == TASK_IMPORT ? nullptr : &view);
    if (!ran)
        return kExitTrouble;
    return Deliver(task->kind, output->Path(), arguments.Value(QStringLiteral("-o"))) ? kExitSuccess : kExitTrouble;
}

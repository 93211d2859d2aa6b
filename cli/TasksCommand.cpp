// "tasks": the installed modules' tasks, kind by kind in the order the
// editor's choosers list them.
#include "CliCommand.h"
#include "CliMessages.h"
#include "CliOutput.h"
#include "TaskLookup.h"

#include "ext/ExtensionRegistries.h"

#include <QJsonArray>

int RunTasksCommand(const CliArguments& arguments)
{
    if (!arguments.Positional().isEmpty())
        return Fail(QString(), QStringLiteral("tasks: unexpected argument \"%1\"").arg(arguments.Positional().first()));
    const TaskExtensions& tasks = LoadedTaskRegistry();
    const bool json = arguments.Has(QStringLiteral("--json"));
    QJsonArray list;
    for (int kind = 0; kind < TASK_KIND_COUNT; ++kind) {
        for (const TaskEntry& task : tasks.Tasks(kind)) {
            if (json)
                list.append(QJsonObject{{QStringLiteral("kind"), TaskKindWord(kind)},
                                        {QStringLiteral("name"), task.name},
                                        {QStringLiteral("description"), task.description}});
            else
                PrintLine(QStringLiteral("%1\t%2\t%3").arg(TaskKindWord(kind), task.name, task.description));
        }
    }
    if (json)
        PrintJson(list);
    return kExitSuccess;
}

#include "TaskLookup.h"

#include "ext/TaskExtensions.h"

#include <QStringList>

#include <vector>

namespace {

const char* const kKindWords[TASK_KIND_COUNT] = {"export", "import", "copy-as", "paste-as", "convert", "checksum"};

int KindOfWord(QStringView word)
{
    for (int kind = 0; kind < TASK_KIND_COUNT; ++kind)
        if (word.compare(QLatin1String(kKindWords[kind]), Qt::CaseInsensitive) == 0)
            return kind;
    return -1;
}

std::vector<TaskRef> Matching(const TaskExtensions& tasks, int onlyKind, QStringView name)
{
    std::vector<TaskRef> found;
    for (int kind = 0; kind < TASK_KIND_COUNT; ++kind) {
        if (onlyKind >= 0 && kind != onlyKind)
            continue;
        for (int index = 0; index < tasks.TaskCount(kind); ++index)
            if (name.compare(tasks.Task(kind, index).name, Qt::CaseInsensitive) == 0)
                found.push_back({kind, index});
    }
    return found;
}

} // namespace

QString TaskKindWord(int kind)
{
    return kind >= 0 && kind < TASK_KIND_COUNT ? QString::fromLatin1(kKindWords[kind]) : QString();
}

std::optional<TaskRef> FindTaskByName(const TaskExtensions& tasks, const QString& spec, QString& error)
{
    std::vector<TaskRef> found = Matching(tasks, -1, spec);
    const qsizetype colon = spec.indexOf(u':');
    if (found.empty() && colon > 0) {
        const int kind = KindOfWord(QStringView(spec).left(colon));
        if (kind >= 0)
            found = Matching(tasks, kind, QStringView(spec).mid(colon + 1).trimmed());
    }
    if (found.size() == 1)
        return found.front();
    if (found.empty()) {
        error = QStringLiteral("no installed task is named \"%1\" (see \"vantrel-cli tasks\")").arg(spec);
        return std::nullopt;
    }
    QStringList choices;
    for (const TaskRef& ref : found)
        choices << QStringLiteral("\"%1:%2\"").arg(TaskKindWord(ref.kind), tasks.Task(ref.kind, ref.index).name);
    error = QStringLiteral("several tasks are named \"%1\"; name one of %2").arg(spec, choices.join(QStringLiteral(", ")));
    return std::nullopt;
}

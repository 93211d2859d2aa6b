#include "TaskFileFilter.h"

QStringList TaskNameFilters(const std::vector<TaskEntry>& tasks)
{
    QStringList filters;
    for (const TaskEntry& task : tasks) {
        QStringList patterns = task.filter.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        const QString joined = patterns.isEmpty() ? QStringLiteral("*") : patterns.join(QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(task.name, joined);
    }
    return filters;
}

QString FilterExtension(const QString& filter)
{
    const qsizetype dot = filter.indexOf(QLatin1Char('.'));
    if (dot < 0 || (dot + 1 < filter.size() && filter[dot + 1] == QLatin1Char('*')))
        return QString();
    // Only the first pattern: "*.txt;*.b64" gives ".txt", never ".txt;*.b64".
    qsizetype end = filter.indexOf(QLatin1Char(';'), dot);
    if (end < 0)
        end = filter.size();
    return filter.mid(dot, end - dot).trimmed();
}

QString WithExportExtension(const QString& path, const QString& filter)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (path.indexOf(QLatin1Char('.'), slash + 1) >= 0)
        return path;
    return path + FilterExtension(filter);
}

#include "FileFilters.h"

QStringList QtNameFilters(const QString& fileFilters)
{
    QStringList filters;
    const QStringList parts = fileFilters.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        if (description.isEmpty())
            break;
        QStringList patterns;
        for (const QString& raw : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = raw.trimmed();
            if (!pattern.isEmpty())
                patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (patterns.isEmpty())
            patterns.append(QStringLiteral("*"));
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' '))));
    }
    if (filters.isEmpty())
        filters.append(QStringLiteral("All Files (*)"));
    return filters;
}

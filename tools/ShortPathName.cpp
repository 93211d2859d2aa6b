#include "ShortPathName.h"

#include <QStringList>

QString ShortPathName(const QString& path, const QString& currentDir, int maxLength)
{
    QString base = currentDir;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    if (path.startsWith(base, Qt::CaseInsensitive) && path.size() > base.size())
        return path.mid(base.size());
    if (path.size() <= maxLength)
        return path;

    // "/a/b/c/name" -> "/.../c/name" -> "/.../name": the root and the name stay.
    const bool rooted = path.startsWith(QLatin1Char('/'));
    QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString root = rooted ? QStringLiteral("/") : QString();
    const QString head = rooted || parts.size() < 2 ? root : parts.takeFirst() + QLatin1Char('/');
    while (parts.size() > 1) {
        parts.removeFirst();
        const QString candidate = head + QStringLiteral("...") + QLatin1Char('/') + parts.join(QLatin1Char('/'));
        if (candidate.size() <= maxLength || parts.size() == 1)
            return candidate;
    }
    return path;
}

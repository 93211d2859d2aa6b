#include "RecentFileList.h"

#include "settings/AppSettings.h"
#include "platform/FileNames.h"

namespace {
constexpr qsizetype kMaxMenuPathLength = 60;

QString ShortenedPath(const QString& path)
{
    if (path.size() <= kMaxMenuPathLength)
        return path;
    // Keep the file name whole and as much of the folder's start as fits.
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.mid(slash + 1);
    const qsizetype keep = kMaxMenuPathLength - name.size() - 4;
    if (slash <= 0 || keep <= 0)
        return QStringLiteral("...") + path.right(kMaxMenuPathLength - 3);
    return path.left(keep) + QStringLiteral(".../") + name;
}
} // namespace

void AddToRecentFiles(QStringList& files, const QString& path)
{
    if (path.isEmpty())
        return;
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount)
        files.removeLast();
}

void RemoveFromRecentFiles(QStringList& files, const QString& path) { files.removeAll(path); }

QString RecentFileMenuText(int index, const QString& path)
{
    QString shown = ShortenedPath(platform::DisplayFileName(path));
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

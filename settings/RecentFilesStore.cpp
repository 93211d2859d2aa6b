#include "RecentFilesStore.h"

#include "settings/AppSettings.h"
#include "settings/SettingsValues.h"

namespace {

const QString kRecentGroup = QStringLiteral("Recent File List");

QString FileKey(int number) { return QStringLiteral("File") + QString::number(number); }

} // namespace

QStringList LoadRecentFiles(const QSettings& settings)
{
    QStringList files;
    for (int number = 1; number <= kRecentFileCount; ++number) {
        const QString file = ReadFileName(settings, kRecentGroup + u'/' + FileKey(number), QString());
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

void SaveRecentFiles(QSettings& settings, const QStringList& files)
{
    settings.remove(kRecentGroup);
    SettingsGroupScope group(settings, kRecentGroup);
    int number = 1;
    for (const QString& file : files) {
        if (file.isEmpty())
            continue;
        if (number > kRecentFileCount)
            break;
        WriteFileName(settings, FileKey(number++), file);
    }
}

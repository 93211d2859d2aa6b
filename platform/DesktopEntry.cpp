#include "DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace platform {

QString DesktopEntryFolder()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    // A relative value is invalid by the base-directory rules and is ignored.
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/applications");
}

QString DesktopEntryPath() { return DesktopEntryFolder() + QLatin1Char('/') + QLatin1String(kDesktopEntryFileName); }

QString QuoteDesktopExecArgument(const QString& argument)
{
    QString quoted;
    quoted.reserve(argument.size() + 2);
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    // The Exec value is itself a string value, where a backslash is written twice.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString DesktopEntryText(const QString& executablePath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vantrel Hex Editor\n"
                          "GenericName=Hex Editor\n"
                          "Comment=View and edit the bytes of any file\n"
                          "Exec=%1 %F\n"
                          "Terminal=false\n"
                          // Only for "Open With": the installed application
                          // entry is the one the menus show.
                          "NoDisplay=true\n"
                          "Categories=Utility;Development;\n"
                          "MimeType=application/octet-stream;text/plain;all/all;all/allfiles;\n")
        .arg(QuoteDesktopExecArgument(executablePath));
}

bool CreateDesktopEntry(const QString& executablePath)
{
    if (!QDir().mkpath(DesktopEntryFolder()))
        return false;
    QSaveFile file(DesktopEntryPath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(DesktopEntryText(executablePath).toUtf8());
    return file.commit();
}

bool RemoveDesktopEntry()
{
    QFile file(DesktopEntryPath());
    return !file.exists() || file.remove();
}

} // namespace platform

#include "SettingsBackend.h"

#include <QDir>

namespace platform {

namespace {
QString ConfigDirOverride() { return qEnvironmentVariable("VANTREL_CONFIG_DIR"); }
} // namespace

std::unique_ptr<QSettings> OpenSettings()
{
    const QString dir = ConfigDirOverride();
    if (!dir.isEmpty())
        return std::make_unique<QSettings>(dir + QStringLiteral("/Kestrane/Vantrel.ini"), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Kestrane"), QStringLiteral("Vantrel"));
}

QString SettingsFilePath() { return OpenSettings()->fileName(); }

} // namespace platform

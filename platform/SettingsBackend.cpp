#include "SettingsBackend.h"

#include <QDir>
#include <cerrno>

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

int SettingsWriteError(const QSettings& store)
{
    switch (store.status()) {
    case QSettings::NoError:
        return 0;
    case QSettings::AccessError:
        return EACCES;
    case QSettings::FormatError:
        break;
    }
    return EIO;
}

} // namespace platform

#pragma once
// The per-user settings store: an INI file under organisation "Kestrane",
// application "Vantrel". VANTREL_CONFIG_DIR, when set, is the folder that
// holds it (tests always set it, so they never touch the user's settings).
#include <QSettings>
#include <memory>

namespace platform {

std::unique_ptr<QSettings> OpenSettings();
QString SettingsFilePath();

} // namespace platform

#pragma once
// The per-user settings store: an INI file under organisation "Kestrane",
// application "Vantrel". VANTREL_CONFIG_DIR, when set, is the folder that
// holds it (tests always set it, so they never touch the user's settings).
#include <QSettings>
#include <memory>

namespace platform {

std::unique_ptr<QSettings> OpenSettings();
QString SettingsFilePath();

// Why the last sync() of store did not reach its file, as an errno for the
// file-error texts; 0 when it did. The toolkit only tells access failures
// (the file is a folder, its folder cannot be made or written) from a file
// it could not read back to merge with.
int SettingsWriteError(const QSettings& store);

} // namespace platform

#pragma once
// The "Open With" offering of file managers: a desktop entry that names this
// program for every file. It lives in $XDG_DATA_HOME/applications (by default
// ~/.local/share/applications), where file managers look for user programs.
#include <QString>

namespace platform {

inline constexpr char kDesktopEntryFileName[] = "vantrel-hex-editor.desktop";

// The folder and the full path of the entry.
QString DesktopEntryFolder();
QString DesktopEntryPath();

// The text of the entry for the given executable.
QString DesktopEntryText(const QString& executablePath);

// Quotes one argument of an Exec line: reserved characters inside double
// quotes, backslash escapes for the four characters that need them, "%" doubled.
QString QuoteDesktopExecArgument(const QString& argument);

// Writes the entry for the executable, creating the folder when missing.
bool CreateDesktopEntry(const QString& executablePath);
// Removes the entry; true when it is gone afterwards.
bool RemoveDesktopEntry();

} // namespace platform

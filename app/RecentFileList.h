#pragma once
// The four most recently used files, most recent first, as the File menu
// shows them.
#include <QString>
#include <QStringList>

// Puts path first, dropping an older entry for it and anything past four.
void AddToRecentFiles(QStringList& files, const QString& path);
void RemoveFromRecentFiles(QStringList& files, const QString& path);

// "&1 /path/to/file"; "&" in the name is doubled so it is not a mnemonic,
// a long folder part is shortened in the middle, and bytes that are not
// UTF-8 show as U+FFFD.
QString RecentFileMenuText(int index, const QString& path);

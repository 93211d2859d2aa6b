#pragma once
// The "Recent File List" section: "File1" (most recent) to "File4".
#include <QSettings>
#include <QStringList>

QStringList LoadRecentFiles(const QSettings& settings);
// Replaces the section with the first four non-empty names.
void SaveRecentFiles(QSettings& settings, const QStringList& files);

#pragma once
// The file-type lists of the Import and Export dialogs, built from the
// tasks, and the extension a name without one gets on export.
#include "ext/TaskEntry.h"

#include <QString>
#include <QStringList>

#include <vector>

// One entry per task, in list order: "Name (*.txt *.b64)". A module writes
// its patterns separated by ";"; the file dialog wants them separated by spaces.
QStringList TaskNameFilters(const std::vector<TaskEntry>& tasks);

// The extension a task's filter gives to a name that has none: from the
// filter's first "." up to the end of that first pattern, or empty when the
// filter has no "." or the "." is followed by "*".
QString FilterExtension(const QString& filter);

// path as typed when its last component already has a "." (a "." in a folder
// name does not count); otherwise path with the filter's extension appended.
QString WithExportExtension(const QString& path, const QString& filter);

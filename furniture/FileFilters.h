#pragma once
// The Open dialog's filter list as the settings keep it: pairs of a
// description and its patterns, each followed by "|", one more "|" at the end
// ("All Files (*.*)|*.*||").
#include <QString>
#include <QStringList>

// The same list as file-dialog name filters. Patterns are separated by ";"
// in the setting; "*.*" means every file, which on this platform is "*"
// (many names have no dot).
QStringList QtNameFilters(const QString& fileFilters);

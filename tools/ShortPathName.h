#pragma once
// How a file is named in a short list: relative to the current directory when
// it lies inside it, else the full path with the directories after the root
// replaced by "/..." until it is at most maxLength characters long.
#include <QString>

constexpr int SHORT_PATH_MAX = 50;

QString ShortPathName(const QString& path, const QString& currentDir, int maxLength = SHORT_PATH_MAX);

#pragma once
// The digests the installed checksum tasks compute, by name. The modules
// say nothing about their report lines in advance, so each checksum task is
// run once on an empty input and its report read: every result line
// ("SHA-256 Checksum: ...") names an algorithm ("SHA-256"), found again by
// its position in the report when the real input is digested.
#include "TaskLookup.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class TaskExtensions;

struct DigestSource {
    QString algorithm;  // the line name without " Checksum"
    QString lineName;   // as the report writes it
    TaskRef task;
    int line = 0;       // position among the report's result lines
};

// Every algorithm of every checksum task, in task order; nothing after a
// problem has been printed.
std::optional<std::vector<DigestSource>> DiscoverDigests(TaskExtensions& tasks);

// The result lines of a checksum report: (line name, value) pairs.
std::vector<std::pair<QString, QString>> ReportResultLines(const QString& report);

// The algorithm named by a line name: "SHA-1 Checksum" -> "SHA-1".
QString AlgorithmOfLine(const QString& lineName);

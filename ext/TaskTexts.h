#pragma once
// Texts the task commands show: the chooser's information box and the
// checksum report.
#include <QByteArray>
#include <QString>

class TaskExtensions;

// "No extensions were found to perform the selected task."
QString NoExtensionsText();

// The chooser's information text for task index of kind: the module's
// description and a blank line (when it has one), then the task's name, id
// and module path.
QString TaskInfoText(const TaskExtensions& tasks, int kind, int index);
// The text shown when no task is selected.
QString NoTaskInfoText();

// A checksum report: UTF-16LE without a byte-order mark, byte length / 2
// characters; an odd last byte is ignored. Every unit is kept as it is.
QString ChecksumReportText(const QByteArray& bytes);

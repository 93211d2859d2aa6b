#pragma once
// The standard texts for file and memory failures. Every file error names the file.
#include <QString>

namespace platform {

// Text for an errno value met while accessing path.
QString FileErrorText(int errorNumber, const QString& path);

// Shows FileErrorText as an error message box.
void ReportFileError(int errorNumber, const QString& path);

// The short report for std::bad_alloc caught where a command started.
QString OutOfMemoryText();

} // namespace platform

#pragma once
// The standard texts for file and memory failures. Every file error names the file.
#include <QString>

namespace platform {

// Error values of our own, beyond errno's range, for files that are not
// plain files: a FIFO, a socket or a character device cannot be loaded, and
// saving over any of them (or over a disk) would replace the node itself.
constexpr int kNotARegularFile = 0x10001;
constexpr int kSaveOverSpecialFile = 0x10002;

// Text for an errno value met while accessing path.
QString FileErrorText(int errorNumber, const QString& path);

// Shows FileErrorText as an error message box.
void ReportFileError(int errorNumber, const QString& path);

// The short report for std::bad_alloc caught where a command started.
QString OutOfMemoryText();

} // namespace platform

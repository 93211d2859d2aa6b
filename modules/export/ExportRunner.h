#pragma once
// Running one export: input and output files, the work buffers, the
// chosen format and the result code; and the Copy As variant that routes
// the same text through a temporary file to the clipboard.
#include "ext/interface/VantrelExtension.h"

#include <QString>

namespace exporter {

enum class ExportFormat { TextDump, HtmlFragment, HtmlPage, CArray, Assembly };

// Writes the format for the input file to outputPath. Results: 4 when the
// input cannot be opened or read, 2 when buffers cannot be allocated, 3 when
// the output cannot be created or written, 0 otherwise.
uint32_t ExportToFile(const TaskArgs& args, ExportFormat format, const QString& outputPath);

// Exports to a "TMP" temporary file and places its text, followed by one
// NUL byte, on the clipboard as plain text.
uint32_t ExportToClipboard(const TaskArgs& args, ExportFormat format);

// Export for kind 0, Copy As for kind 2.
uint32_t RunExportTask(const TaskArgs* args, ExportFormat format);

} // namespace exporter

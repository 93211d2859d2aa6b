#include "ExportRunner.h"

#include "DumpSettings.h"
#include "HtmlDump.h"
#include "OutputBuffer.h"
#include "RowSource.h"
#include "SourceArrays.h"
#include "TextDump.h"

#include "modules/common/FileHandle.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/TempFile.h"

#include <QFile>
#include <algorithm>
#include <new>

namespace exporter {

namespace {

constexpr size_t kBlockBytes = size_t(1) << 20;
// The input buffer must hold a row, the output buffer a row's text.
constexpr size_t kMaxRowText = size_t(kMaxBytesPerRow) * 5 + 64;

bool IsDump(ExportFormat format) { return format != ExportFormat::CArray && format != ExportFormat::Assembly; }

void Produce(ExportFormat format, RowSource& rows, OutputBuffer& out, const DumpSettings& settings)
{
    switch (format) {
    case ExportFormat::TextDump: WriteTextDump(rows, out, settings); break;
    case ExportFormat::HtmlFragment: WriteHtmlDump(rows, out, settings, false); break;
    case ExportFormat::HtmlPage: WriteHtmlDump(rows, out, settings, true); break;
    case ExportFormat::CArray: WriteCArray(rows, out); break;
    case ExportFormat::Assembly: WriteAssembly(rows, out); break;
    }
}

} // namespace

uint32_t ExportToFile(const TaskArgs& args, ExportFormat format, const QString& outputPath)
{
    FileHandle input;
    if (!input.Open(args.inputPath, FileHandle::OpenExisting, FileHandle::Read))
        return TASK_RESULT_READ_ERROR;
    const DumpSettings settings = SettingsFrom(args);
    const int rowBytes = IsDump(format) ? settings.bytesPerRow : kValuesPerLine;
    const int lead = IsDump(format) ? int(settings.selectionStart % rowBytes) : 0;
    const size_t inputBytes = std::max(kBlockBytes, size_t(rowBytes) * 2);
    const size_t outputBytes = std::max(kBlockBytes, kMaxRowText * 2);
    uint8_t* inputBuffer = input.AllocateBuffer(0, inputBytes);
    uint8_t* outputBuffer = input.AllocateBuffer(1, outputBytes);
    if (!inputBuffer || !outputBuffer)
        return TASK_RESULT_OUT_OF_MEMORY;

    FileHandle output;
    if (!output.Open(outputPath, FileHandle::CreateAlways, FileHandle::Write))
        return TASK_RESULT_WRITE_ERROR;
    RowSource rows(input, inputBuffer, inputBytes, rowBytes, lead);
    OutputBuffer out(output, reinterpret_cast<char*>(outputBuffer), outputBytes);
    Produce(format, rows, out, settings);
    // A failed read or write leaves a cut-off file; the user must hear of it
    // rather than find the output short later.
    const bool written = out.Flush() && output.Close();
    if (rows.Failed())
        return TASK_RESULT_READ_ERROR;
    return written ? TASK_RESULT_SUCCESS : TASK_RESULT_WRITE_ERROR;
}

uint32_t ExportToClipboard(const TaskArgs& args, ExportFormat format)
{
    const QString temporary = platform::CreateUniqueTempFile(QStringLiteral("TMP"));
    if (temporary.isEmpty())
        return TASK_RESULT_WRITE_ERROR;
    uint32_t result = ExportToFile(args, format, temporary);
    if (result == TASK_RESULT_SUCCESS) {
        QFile file(temporary);
        if (!file.open(QIODevice::ReadOnly)) {
            result = TASK_RESULT_READ_ERROR;
        } else {
            const QByteArray text = file.readAll();
            if (!platform::SetClipboardText(text)) {
                platform::ShowMessage(QStringLiteral("Error writing data to clipboard."), platform::MsgButtons::Ok,
                                      platform::MsgIcon::Warning, QStringLiteral("Error"));
                result = TASK_RESULT_REPORTED;
            }
        }
    }
    QFile::remove(temporary);
    return result;
}

uint32_t RunExportTask(const TaskArgs* args, ExportFormat format)
{
    if (!args)
        return TASK_RESULT_READ_ERROR;
    try {
        if (args->kind == TASK_COPY_AS)
            return ExportToClipboard(*args, format);
        if (!args->outputPath)
            return TASK_RESULT_WRITE_ERROR;
        return ExportToFile(*args, format, QString::fromUtf16(args->outputPath));
    } catch (const std::bad_alloc&) {
        return TASK_RESULT_OUT_OF_MEMORY;
    }
}

} // namespace exporter

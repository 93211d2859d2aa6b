#include "ClipboardPaste.h"

#include "ClipboardFormatDlg.h"
#include "HexFileReader.h"
#include "ImportMessages.h"

#include "modules/common/FileHandle.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/TempFile.h"

#include <QFile>

namespace importer {

namespace {

uint32_t ClipboardUnreadable(platform::MsgIcon icon)
{
    platform::ShowMessage(ClipboardUnreadableText(), platform::MsgButtons::Ok, icon, ErrorCaption());
    return TASK_RESULT_REPORTED;
}

// Writes a whole clipboard block to path; false when the file cannot be
// created or written.
bool WriteBlock(const QString& path, const QByteArray& block)
{
    FileHandle file;
    if (!file.Open(path, FileHandle::CreateAlways, FileHandle::Write))
        return false;
    const bool written = file.WriteBytes(block.constData(), block.size());
    return file.Close() && written;
}

} // namespace

uint32_t PasteHexText(const TaskArgs& args)
{
    if (!args.outputPath)
        return TASK_RESULT_WRITE_ERROR;
    const QString temporary = platform::CreateUniqueTempFile(QStringLiteral("TMP"));
    if (temporary.isEmpty())
        return TASK_RESULT_WRITE_ERROR;
    uint32_t result;
    const std::optional<QByteArray> text = platform::ClipboardText();
    if (!text || !WriteBlock(temporary, *text))
        result = ClipboardUnreadable(platform::MsgIcon::Warning);
    else
        result = ConvertHexFile(temporary, QString::fromUtf16(args.outputPath));
    QFile::remove(temporary);
    return result;
}

uint32_t PasteRawData(const TaskArgs& args)
{
    const std::optional<QString> format = ChooseClipboardFormat(platform::ClipboardFormats(), args.ownerWindow);
    if (!format)
        return TASK_RESULT_REPORTED;
    const std::optional<QByteArray> block = platform::ClipboardData(*format);
    if (!block || !args.outputPath || !WriteBlock(QString::fromUtf16(args.outputPath), *block))
        return ClipboardUnreadable(platform::MsgIcon::Information);
    return TASK_RESULT_SUCCESS;
}

} // namespace importer

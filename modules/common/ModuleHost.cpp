#include "ModuleHost.h"

#include "ext/interface/VantrelExtension.h"

#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/TempFile.h"

#include <QFile>

namespace module_host {

void ShowWarning(const QString& text, const QString& caption)
{
    platform::ShowMessage(text, platform::MsgButtons::Ok, platform::MsgIcon::Warning, caption);
}

void ShowInformation(const QString& text, const QString& caption)
{
    platform::ShowMessage(text, platform::MsgButtons::Ok, platform::MsgIcon::Information, caption);
}

bool PutTextOnClipboard(const QByteArray& text)
{
    if (platform::SetClipboardText(text))
        return true;
    ShowWarning(QStringLiteral("Error writing data to clipboard."));
    return false;
}

std::optional<QByteArray> TextOnClipboard() { return platform::ClipboardText(); }

uint32_t CopyWrittenText(const std::function<uint32_t(const QString& path)>& writeText)
{
    const ScratchFile text;
    if (text.Path().isEmpty())
        return TASK_RESULT_WRITE_ERROR;
    if (const uint32_t result = writeText(text.Path()); result != TASK_RESULT_SUCCESS)
        return result;
    QFile file(text.Path());
    if (!file.open(QIODevice::ReadOnly))
        return TASK_RESULT_READ_ERROR;
    return PutTextOnClipboard(file.readAll()) ? TASK_RESULT_SUCCESS : TASK_RESULT_REPORTED;
}

ScratchFile::ScratchFile() : path_(platform::CreateUniqueTempFile(QStringLiteral("TMP"))) {}

ScratchFile::~ScratchFile()
{
    if (!path_.isEmpty())
        QFile::remove(path_);
}

} // namespace module_host

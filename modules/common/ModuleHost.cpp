#include "ModuleHost.h"

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

ScratchFile::ScratchFile() : path_(platform::CreateUniqueTempFile(QStringLiteral("TMP"))) {}

ScratchFile::~ScratchFile()
{
    if (!path_.isEmpty())
        QFile::remove(path_);
}

} // namespace module_host

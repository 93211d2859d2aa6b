#include "TransferDialogs.h"

#include "settings/AppSettings.h"
#include "furniture/AnyNameFileDialog.h"
#include "furniture/FileFilters.h"

namespace {
TransferFileHook& Hook()
{
    static TransferFileHook hook;
    return hook;
}
} // namespace

std::optional<QString> ChooseTransferFile(QWidget* parent, TransferDialog which, const QString& fileFilters)
{
    if (Hook())
        return Hook()(which);
    const QString filters = QtNameFilters(fileFilters).join(QStringLiteral(";;"));
    const bool copying = which == TransferDialog::CopyToFile;
    CAnyNameFileDialog dialog(parent, copying ? QStringLiteral("Copy to File") : QStringLiteral("Paste from File"),
                              QString(), filters);
    // The dialog asks before replacing a file and opens only existing ones.
    dialog.setAcceptMode(copying ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(copying ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.exec();
    const QString path = dialog.ChosenPath();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

TransferFileHook SetTransferFileHook(TransferFileHook hook)
{
    TransferFileHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

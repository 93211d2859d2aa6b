#include "TransferDialogs.h"

#include "settings/AppSettings.h"
#include "furniture/FileFilters.h"

#include <QFileDialog>

namespace {
TransferFileHook& Hook()
{
    static TransferFileHook hook;
    return hook;
}
} // namespace

std::optional<QString> ChooseTransferFile(QWidget* parent, TransferDialog which)
{
    if (Hook())
        return Hook()(which);
    const QString filters = QtNameFilters(Settings().fileFilters).join(QStringLiteral(";;"));
    // QFileDialog asks before replacing a file and opens only existing ones.
    const QString path = which == TransferDialog::CopyToFile
                             ? QFileDialog::getSaveFileName(parent, QStringLiteral("Copy to File"), QString(), filters)
                             : QFileDialog::getOpenFileName(parent, QStringLiteral("Paste from File"), QString(), filters);
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

#include "FileDialogFolder.h"

#include <QFileInfo>

namespace {

std::function<QString()>& ActiveFolderSource()
{
    static std::function<QString()> source;
    return source;
}

QString& LastFolder()
{
    static QString folder;
    return folder;
}

} // namespace

void SetActiveDocumentFolderSource(std::function<QString()> source) { ActiveFolderSource() = std::move(source); }

QString FileDialogStartFolder()
{
    if (ActiveFolderSource()) {
        if (const QString folder = ActiveFolderSource()(); !folder.isEmpty())
            return folder;
    }
    return LastFolder();
}

void RememberFileDialogChoice(const QString& chosenPath)
{
    if (!chosenPath.isEmpty())
        LastFolder() = QFileInfo(chosenPath).absolutePath();
}

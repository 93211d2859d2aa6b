#include "DesktopInterface.h"

#include "furniture/AnyNameFileDialog.h"
#include "platform/StatusHooks.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDrag>
#include <QMimeData>
#include <QUrl>

int CDesktopInterface::RunDialog(QDialog& dialog) { return dialog.exec(); }

std::optional<FileAnswer> CDesktopInterface::ChooseFile(QWidget* parent, const FileRequest& request)
{
    // Lists and returns names that are not UTF-8 as well, by their exact bytes.
    CAnyNameFileDialog dialog(parent, request.title, request.startPath, request.nameFilters.join(QStringLiteral(";;")));
    const bool saving = request.kind == FileChoice::Save;
    // A save dialog asks before replacing a file; an open one takes only existing files.
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (saving)
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    if (request.selectStartFile && !request.startPath.isEmpty())
        dialog.SelectExactFile(request.startPath);
    dialog.exec();
    FileAnswer answer{dialog.ChosenPath(), dialog.selectedNameFilter()};
    if (answer.path.isEmpty())
        return std::nullopt;
    return answer;
}

Qt::DropAction CDesktopInterface::RunDrag(QWidget* source, QMimeData* data, Qt::DropActions offered)
{
    auto* drag = new QDrag(source);  // Qt disposes of it after exec
    drag->setMimeData(data);
    return drag->exec(offered, Qt::MoveAction);
}

bool CDesktopInterface::OpenUrl(const QUrl& url)
{
    platform::WaitCursor wait;
    return QDesktopServices::openUrl(url);
}

#include "ToolDialogSeam.h"

#include "furniture/AnyNameFileDialog.h"

#include <QDialog>

namespace {
DialogDriver& InstalledDriver()
{
    static DialogDriver driver;
    return driver;
}

FileChooser& InstalledChooser()
{
    static FileChooser chooser;
    return chooser;
}

const QString kBookmarkFilter = QStringLiteral("Bookmark Files (*.bmk)");

std::optional<QString> ChosenPath(CAnyNameFileDialog& dialog)
{
    dialog.exec();
    const QString path = dialog.ChosenPath();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
} // namespace

DialogDriver SetDialogDriver(DialogDriver driver) { return std::exchange(InstalledDriver(), std::move(driver)); }

int RunToolDialog(QDialog& dialog)
{
    if (InstalledDriver())
        return InstalledDriver()(dialog);
    return dialog.exec();
}

FileChooser SetFileChooser(FileChooser chooser) { return std::exchange(InstalledChooser(), std::move(chooser)); }

std::optional<QString> ChooseBookmarkFile(QWidget* parent, FileChoice kind, const QString& title,
                                          const QString& startPath)
{
    if (InstalledChooser())
        return InstalledChooser()(parent, kind, title, startPath);
    CAnyNameFileDialog dialog(parent, title, startPath, kBookmarkFilter);
    if (kind == FileChoice::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("bmk"));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!startPath.isEmpty())
        dialog.SelectExactFile(startPath);
    return ChosenPath(dialog);
}

std::optional<QString> ChooseFileWithFilter(QWidget* parent, FileChoice kind, const QString& title,
                                            const QString& startPath, const QString& filter,
                                            const QString& defaultSuffix)
{
    if (InstalledChooser())
        return InstalledChooser()(parent, kind, title, startPath);
    CAnyNameFileDialog dialog(parent, title, startPath, filter);
    if (kind == FileChoice::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    return ChosenPath(dialog);
}

std::optional<QString> ChooseAnyFile(QWidget* parent, const QString& title, const QStringList& nameFilters)
{
    return ChooseFileWithFilter(parent, FileChoice::Open, title, QString(), nameFilters.join(QStringLiteral(";;")),
                                QString());
}

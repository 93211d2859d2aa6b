#include "ToolDialogSeam.h"

#include <QDialog>
#include <QFileDialog>

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
    QFileDialog dialog(parent, title, startPath, kBookmarkFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (kind == FileChoice::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("bmk"));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!startPath.isEmpty())
        dialog.selectFile(startPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> ChooseFileWithFilter(QWidget* parent, FileChoice kind, const QString& title,
                                            const QString& startPath, const QString& filter,
                                            const QString& defaultSuffix)
{
    if (InstalledChooser())
        return InstalledChooser()(parent, kind, title, startPath);
    QFileDialog dialog(parent, title, startPath, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (kind == FileChoice::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> ChooseAnyFile(QWidget* parent, const QString& title, const QStringList& nameFilters)
{
    return ChooseFileWithFilter(parent, FileChoice::Open, title, QString(), nameFilters.join(QStringLiteral(";;")),
                                QString());
}

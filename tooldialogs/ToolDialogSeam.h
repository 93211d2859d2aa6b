#pragma once
// How the editing tools open their modal dialogs and file choosers. The
// program runs them for real; tests install drivers that fill a dialog in
// and close it, or answer a file chooser, so no test waits on a modal loop.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

// Returns the dialog's result code, as QDialog::exec does.
using DialogDriver = std::function<int(QDialog& dialog)>;
// Installs a driver (empty: the real modal loop) and returns the previous one.
DialogDriver SetDialogDriver(DialogDriver driver);
int RunToolDialog(QDialog& dialog);

enum class FileChoice { Open, Save };
// title, the start path, and the default suffix (without the dot) for saving.
using FileChooser = std::function<std::optional<QString>(QWidget* parent, FileChoice kind, const QString& title,
                                                         const QString& startPath)>;
FileChooser SetFileChooser(FileChooser chooser);
// An open dialog (the file must exist) or a save dialog (asks before
// replacing a file), both filtered to bookmark collections.
std::optional<QString> ChooseBookmarkFile(QWidget* parent, FileChoice kind, const QString& title,
                                          const QString& startPath);
// An open dialog for any existing file, with the given name filters.
std::optional<QString> ChooseAnyFile(QWidget* parent, const QString& title, const QStringList& nameFilters);

// An open or save dialog with the given filter ("Layout Files (*.lay)") and,
// for saving, the default suffix; the installed chooser answers in tests.
std::optional<QString> ChooseFileWithFilter(QWidget* parent, FileChoice kind, const QString& title,
                                            const QString& startPath, const QString& filter,
                                            const QString& defaultSuffix);

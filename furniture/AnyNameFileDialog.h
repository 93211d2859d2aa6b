#pragma once
// A file dialog that also reaches files whose names are not UTF-8. The
// toolkit's listing leaves such files out and its own checks cannot find them,
// so the dialog lists them in a box of their own (shown with U+FFFD for each
// such byte) and hands back the exact name of the file chosen there, or
// typed as shown, or suggested by the program. The toolkit cannot enter a
// folder whose name is not UTF-8 either: the box lists such folders too
// (ending in "/"), and choosing one makes the box list everything in it,
// with "../" to go back up.
#include <QFileDialog>
#include <QMap>

class QComboBox;
class QLabel;

class CAnyNameFileDialog : public QFileDialog {
    Q_OBJECT
public:
    CAnyNameFileDialog(QWidget* parent, const QString& caption, const QString& directory = QString(),
                       const QString& filter = QString());

    // Selects a file by its exact name (its folder shown, the name as the user
    // reads it in the name field).
    void SelectExactFile(const QString& path);
    // The file chosen, by its exact name; empty when the dialog was cancelled.
    QString ChosenPath() const;

    QComboBox* OtherFilesBox() const { return otherFiles_; }

    void accept() override;

private:
    void ListOtherFiles();
    void OtherFileChosen(int index);
    // Makes the box list folder, which the toolkit's list may not reach.
    void EnterFolder(const QString& folder);
    void EnableAcceptForExactName();
    // The exact name behind the path the dialog would return, or empty when
    // the toolkit reaches the path itself.
    QString ExactPathFor(const QString& selected) const;
    bool ConfirmReplace(const QString& path) const;

    QLabel* otherLabel_;
    QComboBox* otherFiles_;
    // Names shown to the user, mapped to the exact names they stand for.
    QMap<QString, QString> shownToExact_;
    QString chosen_;
    // The folder the box lists when the toolkit's list cannot show it (its
    // path is not UTF-8); empty while the box lists the dialog's own folder.
    QString boxFolder_;
};

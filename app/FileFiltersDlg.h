#pragma once
// "Add File Types" / "Edit File Types": one description and its file
// specifications for the Open dialog's list.
#include "app/FileTypeList.h"

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;

class CFileFiltersDlg : public QDialog {
    Q_OBJECT
public:
    CFileFiltersDlg(const FileType& type, bool adding, QWidget* parent = nullptr);

    // The entry as accepted: description trimmed, blanks removed from the specs.
    FileType Entry() const { return entry_; }
    QLineEdit* DescriptionEdit() const { return description_; }
    QLineEdit* SpecsEdit() const { return specs_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

    void accept() override;

private:
    void UpdateOk();

    FileType entry_;
    QLineEdit* description_;
    QLineEdit* specs_;
    QDialogButtonBox* buttons_;
};

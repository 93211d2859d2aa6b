#pragma once
// "File Properties": one "General" page; only the read-only switch can change.
#include "furniture/FileProperties.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QLabel;
class QTabWidget;

class CFilePropertiesDlg : public QDialog {
    Q_OBJECT
public:
    CFilePropertiesDlg(const FileProperties& properties, QWidget* parent = nullptr);

    bool ReadOnly() const;
    // For tests: the texts the page shows, in the order of FileProperties.
    FileProperties Shown() const;

private:
    QTabWidget* tabs_;
    QLineEdit* name_;
    QLabel* location_;
    QLabel* size_;
    QLabel* originalSize_;
    QLabel* modified_;
    QCheckBox* readOnly_;
};

#pragma once
// The Open dialog: a file dialog with an added "Open as &read-only" box.
// Shortcut files (symbolic links) are opened as they are, not resolved.
#include "furniture/AnyNameFileDialog.h"
#include "furniture/AppDialogs.h"

class QCheckBox;

class COpenFileDialog : public CAnyNameFileDialog {
    Q_OBJECT
public:
    COpenFileDialog(QWidget* parent, const QString& fileFilters);
    bool ReadOnlyChecked() const;
    QCheckBox* ReadOnlyBox() const { return readOnly_; }

    std::optional<OpenFileChoice> Choice() const;

private:
    QCheckBox* readOnly_;
};

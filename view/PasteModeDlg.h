#pragma once
// The "Paste Mode" dialog: insert room for the pasted data or overwrite what
// is there, and whether to ask again next time.
#include <QDialog>

class QCheckBox;
class QRadioButton;

struct PasteModeChoice {
    bool overwrite = false;
    bool prompt = true;
    bool operator==(const PasteModeChoice&) const = default;
};

class CPasteModeDlg : public QDialog {
    Q_OBJECT
public:
    CPasteModeDlg(const PasteModeChoice& preset, QWidget* parent = nullptr);
    PasteModeChoice Choice() const;

    QRadioButton* InsertButton() const { return insert_; }
    QRadioButton* OverwriteButton() const { return overwrite_; }
    QCheckBox* PromptBox() const { return prompt_; }

private:
    QRadioButton* insert_;
    QRadioButton* overwrite_;
    QCheckBox* prompt_;
};

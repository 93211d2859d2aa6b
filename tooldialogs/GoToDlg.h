#pragma once
// The "Go To" dialog: a value read as an absolute offset or as a distance
// ahead of or back from the caret, optionally extending the selection. OK
// stays open with a message when the value is not an integer or the target
// lies outside the file.
#include "tools/GoToTarget.h"

#include <QDialog>

class CIntEdit;
class QCheckBox;
class QRadioButton;

class CGoToDlg : public QDialog {
    Q_OBJECT
public:
    CGoToDlg(const SelectionState& selection, int64_t fileSize, int radix, QWidget* parent = nullptr);

    // After OK: where the caret goes, the anchor, and the radix to remember.
    const GoToOutcome& Outcome() const { return outcome_; }
    GoToMode Mode() const;

    CIntEdit* ValueEdit() const { return value_; }
    QRadioButton* AbsoluteButton() const { return absolute_; }
    QRadioButton* AheadButton() const { return ahead_; }
    QRadioButton* BackButton() const { return back_; }
    QCheckBox* ExtendBox() const { return extend_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    SelectionState selection_;
    int64_t fileSize_;
    int radix_;
    GoToOutcome outcome_;
    CIntEdit* value_;
    QRadioButton* absolute_;
    QRadioButton* ahead_;
    QRadioButton* back_;
    QCheckBox* extend_;
};

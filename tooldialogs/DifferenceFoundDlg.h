#pragma once
// The "Difference Found" dialog: where the newest difference lies in both
// files, and the choice to go on to the next one, to find all the rest
// without asking, or to stop.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class CDifferenceFoundDlg : public QDialog {
    Q_OBJECT
public:
    // The dialog's result codes.
    enum Choice { Done = 0, FindNext = 1, FindAll = 2 };

    explicit CDifferenceFoundDlg(const QString& text, QWidget* parent = nullptr);

    QPlainTextEdit* TextBox() const { return text_; }
    QPushButton* Button(Choice choice) const;

private:
    QPlainTextEdit* text_;
    QPushButton* next_;
    QPushButton* all_;
    QPushButton* done_;
};

#pragma once
// CChecksumDlg: shows a checksum report. The text opens focused and wholly
// selected, so Ctrl+C copies the report at once.
#include <QDialog>

class QPlainTextEdit;

class CChecksumDlg : public QDialog {
    Q_OBJECT
public:
    CChecksumDlg(const QString& report, QWidget* parent);

    QPlainTextEdit* Text() const { return text_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* text_;
};

#pragma once
// The "Replace Next" dialog of the interactive replace: each button runs one
// step of the session; the dialog closes when the session has nothing more
// to find, or with "Replace All" (the caller then replaces the rest) or "Done".
#include <QDialog>

class CReplaceSession;
class QPushButton;

class CReplaceNextDlg : public QDialog {
    Q_OBJECT
public:
    enum Result { ReplaceAllResult = 2 };

    CReplaceNextDlg(CReplaceSession& session, QWidget* parent = nullptr);

    QPushButton* FindNextButton() const { return findNext_; }
    QPushButton* ReplaceButton() const { return replace_; }
    QPushButton* ReplaceAllButton() const { return replaceAll_; }
    QPushButton* DoneButton() const { return done_; }

    void OnFindNext();
    void OnReplace();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AfterStep(int step);

    CReplaceSession& session_;
    QPushButton* findNext_;
    QPushButton* replace_;
    QPushButton* replaceAll_;
    QPushButton* done_;
};

#pragma once
// The "Find" dialog: the three pattern pages, "Match case" and the search
// direction. OK ("Find Next") builds the pattern and stays open when there
// is nothing to search for or the value does not parse.
#include "tools/FindSettings.h"
#include "tools/SearchPattern.h"

#include <QDialog>

class CFindPages;
class IUserInterface;
class ValueTypeRegistry;
class QCheckBox;
class QPushButton;
class QRadioButton;

class CFindDlg : public QDialog {
    Q_OBJECT
public:
    CFindDlg(const FindSettings& settings, const ValueTypeRegistry& types, IUserInterface& ui,
             QWidget* parent = nullptr);

    // What the dialog holds now (after OK: what the user accepted).
    FindSettings Current() const;
    // The pattern accepted with OK.
    const SearchBuild& Build() const { return build_; }
    bool SearchUp() const;

    CFindPages* Pages() const { return pages_; }
    QCheckBox* MatchCaseBox() const { return matchCase_; }
    QRadioButton* UpButton() const { return up_; }
    QRadioButton* DownButton() const { return down_; }
    QPushButton* FindNextButton() const { return findNext_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateMatchCase();

    FindSettings settings_;
    const ValueTypeRegistry& types_;
    SearchBuild build_;
    CFindPages* pages_;
    QCheckBox* matchCase_;
    QRadioButton* up_;
    QRadioButton* down_;
    QPushButton* findNext_;
};

#pragma once
// The "Replace" dialog: what to find (upper pages) and what to put in its
// place (lower pages), "Match case", and whether to replace in the selection
// or the whole file. "Find Next" starts the interactive replace, which
// always covers the whole file; "Replace All" replaces at once.
#include "tools/FindSettings.h"
#include "tools/SearchPattern.h"

#include <QDialog>

class CFindPages;
class IUserInterface;
class ValueTypeRegistry;
class QCheckBox;
class QPushButton;
class QRadioButton;

class CReplaceDlg : public QDialog {
    Q_OBJECT
public:
    enum Result { FindNextResult = 2, ReplaceAllResult = 3 };

    CReplaceDlg(const FindSettings& settings, bool hasSelection, const ValueTypeRegistry& types, IUserInterface& ui,
                QWidget* parent = nullptr);

    FindSettings Current() const;
    const SearchBuild& Build() const { return build_; }
    bool InSelection() const;

    CFindPages* FindPages() const { return findPages_; }
    CFindPages* ReplacePages() const { return replacePages_; }
    QCheckBox* MatchCaseBox() const { return matchCase_; }
    QRadioButton* SelectionButton() const { return selection_; }
    QRadioButton* WholeFileButton() const { return wholeFile_; }
    QPushButton* FindNextButton() const { return findNext_; }
    QPushButton* ReplaceAllButton() const { return replaceAll_; }

    // The two buttons that close the dialog with a pattern.
    void OnFindNext() { Finish(FindNextResult); }
    void OnReplaceAll() { Finish(ReplaceAllResult); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Finish(int result);
    void UpdateControls();

    FindSettings settings_;
    const ValueTypeRegistry& types_;
    SearchBuild build_;
    CFindPages* findPages_;
    CFindPages* replacePages_;
    QCheckBox* matchCase_;
    QRadioButton* selection_;
    QRadioButton* wholeFile_;
    QPushButton* findNext_;
    QPushButton* replaceAll_;
};

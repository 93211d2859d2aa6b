#pragma once
// The "File Compare Results" dialog: both paths, every difference as a
// two-line entry with a summary line below, and the report to the clipboard. Selecting an entry
// selects that difference in both views.
#include "tools/FileCompare.h"

#include <QDialog>
#include <functional>
#include <vector>

class IUserInterface;
class QLabel;
class QListWidget;
class QPushButton;

class CCompareResultsDlg : public QDialog {
    Q_OBJECT
public:
    using SelectFn = std::function<void(const CompareDifference&)>;

    CCompareResultsDlg(const QString& path1, const QString& path2, std::vector<CompareDifference> differences,
                       bool hexOffsets, SelectFn select, IUserInterface& ui, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }
    QLabel* CountLabel() const { return label_; }
    // Differences, bytes differing and bytes only in either file.
    QLabel* SummaryLabel() const { return summary_; }
    QPushButton* CopyButton() const { return copy_; }
    // The report as Copy Results to Clipboard writes it.
    QString ReportText() const;
    void CopyToClipboard() const;

private:
    QString path1_;
    QString path2_;
    std::vector<CompareDifference> differences_;
    bool hexOffsets_;
    SelectFn select_;
    QLabel* label_;
    QLabel* summary_;
    QListWidget* list_;
    QPushButton* copy_;
};

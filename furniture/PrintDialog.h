#pragma once
// The print dialog. Its own from-to fields reach the printout's last page;
// a printout of more pages than they hold (int page numbers) gets a "Page
// Range" tab instead, with decimal page fields of 64 bits. The range chosen
// there comes back as a PageSpan, apart from the printer, whose from-to
// range cannot hold it.
#include "PrintRangeChoice.h"

#include <QPrintDialog>

class QGroupBox;
class QLabel;
class QLineEdit;

class CPrintDialog : public QPrintDialog {
    Q_OBJECT
public:
    // pageCount measures the whole document's printout on the printer; it is
    // asked once when the dialog opens and again on OK, when the paper the
    // user chose decides the number of the last page.
    CPrintDialog(QPrinter& printer, bool hasSelection, PrintPageCounter pageCount, QWidget* parent = nullptr);

    // The pages chosen on the "Page Range" tab; empty when every page or the
    // selection prints, or when the dialog's own page fields were offered.
    PageSpan ChosenPages() const { return chosen_; }

    // The tab's parts; null while the printout fits the dialog's own fields.
    QWidget* RangeTab() const { return tab_; }
    QGroupBox* RangeBox() const { return rangeBox_; }
    QLineEdit* FromField() const { return from_; }
    QLineEdit* ToField() const { return to_; }

    // OK with a range that does not fit the printout says why and keeps the
    // dialog open on the field to correct.
    void done(int result) override;
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildRangeTab(bool hasSelection);
    void ShowPageCount();

    PrintPageCounter pageCount_;
    int64_t count_ = 1;
    PageSpan chosen_;
    QWidget* tab_ = nullptr;
    QGroupBox* rangeBox_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLabel* countText_ = nullptr;
    QList<QWidget*> ownRangeChoices_;
};

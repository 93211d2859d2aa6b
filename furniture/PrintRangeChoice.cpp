#include "PrintRangeChoice.h"

#include "platform/MessageBox.h"

#include <QPrintDialog>
#include <limits>

void PreparePrintDialog(QPrintDialog& dialog, QPrinter& printer, bool hasSelection)
{
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    printer.setFromTo(0, 0);
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
}

bool SelectionChosen(const QPrinter& printer) { return printer.printRange() == QPrinter::Selection; }

bool NeedsWidePageRange(int64_t pageCount) { return pageCount >= std::numeric_limits<int>::max(); }

namespace {

// A page number of decimal digits only: no sign, blank or radix prefix,
// which toLongLong would let through. Too many digits for 64 bits is -1.
int64_t ParsePageNumber(const QString& text)
{
    if (text.isEmpty())
        return -1;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return -1;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    return ok ? int64_t(value) : -1;
}

} // namespace

PageRangeCheck CheckPageRange(const QString& from, const QString& to, int64_t pageCount)
{
    PageRangeCheck check;
    const int64_t first = ParsePageNumber(from);
    if (first < 1 || first > pageCount) {
        check.bad = PageField::From;
        check.message = platform::IntegerRangeText(1, pageCount);
        return check;
    }
    const int64_t last = ParsePageNumber(to);
    if (last < first || last > pageCount) {
        check.bad = PageField::To;
        check.message = platform::IntegerRangeText(first, pageCount);
        return check;
    }
    check.pages = {first, last};
    return check;
}

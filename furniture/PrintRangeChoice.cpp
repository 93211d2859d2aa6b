#include "PrintRangeChoice.h"

#include <QPrintDialog>

void PreparePrintDialog(QPrintDialog& dialog, QPrinter& printer, bool hasSelection)
{
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    printer.setFromTo(0, 0);
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
}

bool SelectionChosen(const QPrinter& printer) { return printer.printRange() == QPrinter::Selection; }

#include "AppPrinter.h"

#include <QPrintDialog>

QPrinter& AppPrinter()
{
    // High resolution: glyph positions on paper are exact to 1/1200 inch.
    // Never destroyed: a printer outliving the application object would be
    // torn down after the print plugins it uses are gone.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

void PreparePrintDialog(QPrintDialog& dialog, QPrinter& printer, bool hasSelection)
{
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    printer.setFromTo(0, 0);
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
}

bool SelectionChosen(const QPrinter& printer) { return printer.printRange() == QPrinter::Selection; }

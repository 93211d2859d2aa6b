#pragma once
// The printer of the whole run: Print Setup, Print and Print Preview share it,
// so a paper or printer chosen once stays chosen until the program ends.
#include <QPrinter>

class QPrintDialog;

QPrinter& AppPrinter();

// The print dialog offers the "Selection" choice, preselected, only when
// there is a selection; pages from-to can always be chosen.
void PreparePrintDialog(QPrintDialog& dialog, QPrinter& printer, bool hasSelection);
// The range the dialog ended with is the selection.
bool SelectionChosen(const QPrinter& printer);

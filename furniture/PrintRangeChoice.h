#pragma once
// What the print dialog offers to print (the selection, pages from-to) and
// what it ended with.
#include <QPrinter>

class QPrintDialog;

// The print dialog offers the "Selection" choice, preselected, only when
// there is a selection; pages from-to can always be chosen.
void PreparePrintDialog(QPrintDialog& dialog, QPrinter& printer, bool hasSelection);
// The range the dialog ended with is the selection.
bool SelectionChosen(const QPrinter& printer);

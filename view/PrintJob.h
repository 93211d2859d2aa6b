#pragma once
// Printing a document: what is printed (the file or the selection, with the
// view's layout options, font and colours), the print dialog's choices and
// the page loop on a QPrinter. A printer name ending in ".pdf" is a PDF file.
#include "PagePainter.h"
#include "furniture/PrintRangeChoice.h"

#include <QString>
#include <functional>

class CBinEditDoc;
class CBinEditView;
class QPrinter;
struct AppSettings;

// What the document prints, in the settings' layout, font and colours: view
// may be null (a document printed from the command line prints with the
// settings' row width), selectionOnly takes the view's selection.
PrintSource PrintSourceFor(CBinEditDoc& doc, const AppSettings& settings, const CBinEditView* view, bool selectionOnly);

// The page as the printer's painter sees it.
PageGeometry PrinterPageGeometry(const QPrinter& printer);

// Points the printer at a named printer, or at a PDF file when the name ends
// in ".pdf"; false (reported) when no such printer is installed.
bool SelectPrinterByName(QPrinter& printer, const QString& name);
// Points the printer at the default printer; false (reported) without one.
bool SelectDefaultPrinter(QPrinter& printer);

enum class PrintOutcome { Printed, Stopped, Failed };

// The pages the source prints on with the printer as it is set up.
int64_t PrintPageCount(const PrintSource& source, QPrinter& printer);

// Prints the pages: chosen when it is not empty, else all or the printer's
// from-to range; a range past the last page prints the last page. Failures
// are reported: a PDF file that cannot be written by the file's error, any
// other printer that does not start by "Could not start print job.".
// stopRequested is asked between pages (Esc); it may be empty.
PrintOutcome PrintPages(const PrintSource& source, QPrinter& printer, const std::function<bool()>& stopRequested,
                        PageSpan chosen = {});

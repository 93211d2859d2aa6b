// The print commands of the application: Print, Print Preview and printing
// files named on the command line ("/p" to the default printer, "/pt" to a
// named one or into a PDF file).
#include "app/BinEditApp.h"
#include "app/MainFrame.h"
#include "core/BinEditDoc.h"
#include "furniture/AppDialogs.h"
#include "furniture/PrintRangeChoice.h"
#include "platform/EscapePoller.h"
#include "platform/FileErrors.h"
#include "platform/MessageBox.h"
#include "platform/TerminationSignal.h"
#include "view/BinEditView.h"
#include "view/PrintJob.h"
#include "view/PrintPreviewDlg.h"

#include <new>

namespace {

CBinEditView* FirstViewOf(CBinEditDoc& doc)
{
    for (IDocView* v : doc.Views())
        if (auto* view = dynamic_cast<CBinEditView*>(v))
            return view;
    return nullptr;
}

bool RunPrint(const PrintSource& source, QPrinter& printer, PageSpan pages = {})
{
    try {
        return PrintPages(source, printer, platform::MakeEventEscapePoller(), pages) != PrintOutcome::Failed;
    } catch (const std::bad_alloc&) {
        platform::ShowMessage(platform::OutOfMemoryText(), platform::MsgButtons::Ok, platform::MsgIcon::Error);
        return false;
    }
}

} // namespace

QPrinter& CBinEditApp::Printer()
{
    // High resolution: glyph positions on paper are exact to 1/1200 inch.
    if (!context_.printer)
        context_.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *context_.printer;
}

void CBinEditApp::OnFilePrint()
{
    CBinEditView* view = mainFrame_ ? mainFrame_->ActiveView() : nullptr;
    if (!view)
        return;
    QPrinter& printer = Printer();
    CBinEditDoc& doc = *view->Document();
    // The dialog measures the whole document on the printer and paper the user picks in it.
    const PrintPageCounter pageCount = [&](QPrinter& chosen) {
        return PrintPageCount(PrintSourceFor(doc, context_.settings, view, false), chosen);
    };
    PageSpan pages;
    if (!dialogs_->ChoosePrintOptions(mainFrame_.get(), printer, view->Caret().hasSelection, pageCount, pages))
        return;
    RunPrint(PrintSourceFor(doc, context_.settings, view, SelectionChosen(printer)), printer, pages);
    mainFrame_->RefreshInspector();
}

void CBinEditApp::OnFilePrintPreview()
{
    CBinEditView* view = mainFrame_ ? mainFrame_->ActiveView() : nullptr;
    if (!view)
        return;
    bool printNext = false;
    {
        // The preview paints from the document: a request to end the program
        // closes it first (as Esc does) and the exit follows.
        platform::TerminationHold previewing;
        // With a selection the preview shows what Print preselects: the selection.
        CPrintPreviewDlg preview(PrintSourceFor(*view->Document(), context_.settings, view, view->Caret().hasSelection),
                                 Printer(),
                                 mainFrame_.get());
        connect(&preview, &CPrintPreviewDlg::printRequested, this, [&printNext] { printNext = true; });
        preview.exec();
    }
    mainFrame_->RefreshInspector();
    if (printNext && !platform::TerminationPending())
        OnFilePrint();
}

bool CBinEditApp::PrintFromCommandLine(const QString& path, bool toNamedPrinter, const QString& printerName)
{
    QPrinter printer(QPrinter::HighResolution);
    if (toNamedPrinter ? !SelectPrinterByName(printer, printerName) : !SelectDefaultPrinter(printer))
        return false;
    // A file the user has open already stays open; one opened to be printed closes again.
    const bool wasOpen = documents_.FindByPath(path) != nullptr;
    CBinEditDoc* doc = documents_.OpenDocumentFile(path);
    if (!doc)
        return false;
    const bool printed = RunPrint(PrintSourceFor(*doc, context_.settings, FirstViewOf(*doc), false), printer);
    if (!wasOpen)
        documents_.CloseDocument(doc, false);
    if (mainFrame_)
        mainFrame_->RefreshInspector();
    return printed;
}

#include "PrintJob.h"

#include "BinEditView.h"
#include "core/BinEditDoc.h"
#include "platform/FileErrors.h"
#include "platform/FontRecord.h"
#include "platform/MessageBox.h"
#include "platform/OutputFile.h"
#include "platform/StatusHooks.h"
#include "platform/TerminationSignal.h"
#include "settings/AppSettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <cerrno>

namespace {

int ScreenDpi()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::primaryScreen())
        return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    return 96;
}

QString CouldNotStartText() { return QStringLiteral("Could not start print job."); }

// The reason a PDF file cannot be written: a name that is not a plain file
// is refused before anything opens it, the rest found by trying to create it.
bool ReportUnwritablePdf(const QString& path)
{
    if (const int problem = platform::OutputFileProblem(path)) {
        platform::ReportFileError(problem, path);
        return true;
    }
    QFile file(path);
    errno = 0;
    if (file.open(QIODevice::WriteOnly))
        return false;
    platform::ReportFileError(errno != 0 ? errno : EACCES, path);
    return true;
}

} // namespace

PrintSource PrintSourceFor(CBinEditDoc& doc, const AppSettings& settings, const CBinEditView* view, bool selectionOnly)
{
    const AppSettings& s = settings;
    PrintSource source;
    source.buffer = &doc.Buffer();
    source.title = doc.Title();
    source.rangeEnd = doc.Size();
    if (selectionOnly && view && view->Caret().hasSelection) {
        source.rangeStart = view->Caret().selStart;
        source.rangeEnd = view->Caret().selEnd;
    }
    source.viewFont = platform::FontFromRecord(s.font2);
    source.screenDpi = ScreenDpi();
    source.options.bytesPerRow = view ? view->BytesPerRow() : s.bytesPerRow;
    source.options.groupBy = s.groupBy;
    source.options.columns = s.columns;
    source.options.offsetFormat = s.offsetFormat;
    // Every row of a printout has the digits of its last offset.
    source.options.fileSize = source.rangeEnd;
    source.options.showDash = s.showDash;
    source.options.showSizeBar = false;
    source.showAllChars = s.showAllChars;
    source.colors = ResolvePrintColors(s.colors, s.printBlackWhite);
    return source;
}

PageGeometry PrinterPageGeometry(const QPrinter& printer)
{
    PageGeometry page;
    page.paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    page.printable = printer.pageRect(QPrinter::DevicePixel).toRect();
    // Without full-page mode the painter's origin is the printable area's corner.
    if (!printer.fullPage()) {
        page.paper.translate(-page.printable.topLeft());
        page.printable.moveTopLeft(QPoint(0, 0));
    }
    page.dpiX = printer.logicalDpiX();
    page.dpiY = printer.logicalDpiY();
    return page;
}

bool SelectPrinterByName(QPrinter& printer, const QString& name)
{
    if (name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(name);
        return true;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        platform::ShowMessage(QStringLiteral("The printer \"%1\" is not installed.").arg(name), platform::MsgButtons::Ok,
                              platform::MsgIcon::Error);
        return false;
    }
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(info.printerName());
    return true;
}

bool SelectDefaultPrinter(QPrinter& printer)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        platform::ShowMessage(QStringLiteral("No printers are installed. Install a printer, or print to a file "
                                             "whose name ends in \".pdf\"."),
                              platform::MsgButtons::Ok, platform::MsgIcon::Error);
        return false;
    }
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(info.printerName());
    return true;
}

int64_t PrintPageCount(const PrintSource& source, QPrinter& printer)
{
    CPagePainter pages(source, &printer);
    return pages.PageCount(PrinterPageGeometry(printer));
}

PrintOutcome PrintPages(const PrintSource& source, QPrinter& printer, const std::function<bool()>& stopRequested,
                        PageSpan chosen)
{
    const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat;
    if (toPdf && printer.outputFileName().isEmpty()) {
        platform::ShowMessage(CouldNotStartText(), platform::MsgButtons::Ok, platform::MsgIcon::Error);
        return PrintOutcome::Failed;
    }
    if (toPdf && ReportUnwritablePdf(printer.outputFileName()))
        return PrintOutcome::Failed;

    platform::WaitCursor wait;
    // The pages are painted from the document; closing it meanwhile (the
    // program asked to end) waits until the loop is done.
    platform::TerminationHold reading;
    QPainter painter;
    if (!painter.begin(&printer)) {
        platform::ShowMessage(CouldNotStartText(), platform::MsgButtons::Ok, platform::MsgIcon::Error);
        return PrintOutcome::Failed;
    }
    CPagePainter pages(source, &printer);
    const PageGeometry page = PrinterPageGeometry(printer);
    const int64_t count = pages.PageCount(page);
    // The printer's own range holds int pages; a range past them comes apart.
    int64_t first = 1;
    int64_t last = count;
    if (!chosen.Empty()) {
        first = std::min(chosen.first, count);
        last = std::max(first, std::min(chosen.last, count));
    } else if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::min<int64_t>(printer.fromPage(), count);
        if (printer.toPage() >= first)
            last = std::min<int64_t>(printer.toPage(), count);
    }

    QElapsedTimer sincePoll;
    sincePoll.start();
    for (int64_t p = first; p <= last; ++p) {
        if (p > first && !printer.newPage()) {
            painter.end();
            platform::ShowStatusText(QString());
            platform::ShowMessage(CouldNotStartText(), platform::MsgButtons::Ok, platform::MsgIcon::Error);
            return PrintOutcome::Failed;
        }
        pages.PaintPage(painter, page, p);
        // Esc and repainting are looked at a few times a second, not per page.
        if (sincePoll.elapsed() >= 100) {
            sincePoll.restart();
            platform::ShowStatusText(QStringLiteral("Printing page %1 of %2...  Press Esc to stop").arg(qlonglong(p)).arg(qlonglong(last)));
            if (stopRequested && stopRequested()) {
                printer.abort();
                painter.end();
                // A PDF cut off in the middle is no use to anyone.
                if (toPdf)
                    platform::RemoveUnfinishedOutput(printer.outputFileName());
                platform::ShowStatusText(QString());
                return PrintOutcome::Stopped;
            }
        }
    }
    painter.end();
    platform::ShowStatusText(QString());
    if (printer.printerState() == QPrinter::Error) {
        platform::ShowMessage(CouldNotStartText(), platform::MsgButtons::Ok, platform::MsgIcon::Error);
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}

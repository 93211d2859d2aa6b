// Renders the print preview of a real file to PNG files (first page, a
// selection, black and white) and prints it to PDF, so the pages can be
// looked at: scripts/print-screenshots.sh runs it headless.
//   print_screenshots FILE OUTDIR
#include "furniture/DesktopInterface.h"
#include "settings/AppSettings.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/PrintJob.h"
#include "view/PrintPreviewDlg.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QStyleFactory>
#include <cstdio>

namespace {

bool Shoot(CBinEditDoc& doc, CBinEditView& view, bool selection, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    CPrintPreviewDlg preview(PrintSourceFor(doc, view.Settings(), &view, selection), printer);
    preview.resize(760, 900);
    preview.show();
    QCoreApplication::processEvents();
    const bool saved = preview.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: print_screenshots FILE OUTDIR\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());

    AppSettings s;
    s.colors[AppSettings::OffsetTextColor] = 0x000080;  // 0x00BBGGRR: dark red
    s.colors[AppSettings::OddTextColor] = 0x800000;     // dark blue
    s.colors[AppSettings::EvenTextColor] = 0x008000;    // green
    s.colors[AppSettings::AsciiTextColor] = 0x800080;   // purple

    CBinEditDoc doc;
    if (!doc.OnOpenDocument(file)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    doc.SetTitle(QFileInfo(file).fileName());
    CDesktopInterface desktop;
    CBinEditView view(&doc, s, desktop);
    view.resize(900, 400);
    view.OnInitialUpdate();

    bool ok = Shoot(doc, view, false, out.filePath(QStringLiteral("preview-first.png")));
    view.CaretControl().SetSelection(0x25, 0x1A3);
    ok &= Shoot(doc, view, true, out.filePath(QStringLiteral("preview-selection.png")));
    s.printBlackWhite = true;
    ok &= Shoot(doc, view, false, out.filePath(QStringLiteral("preview-black-white.png")));
    s.printBlackWhite = false;

    QPrinter pdf(QPrinter::HighResolution);
    const QString pdfPath = out.filePath(QStringLiteral("printed.pdf"));
    ok &= SelectPrinterByName(pdf, pdfPath) && PrintPages(PrintSourceFor(doc, view.Settings(), &view, false), pdf, {}) == PrintOutcome::Printed;
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(pdfPath));
    return ok ? 0 : 1;
}

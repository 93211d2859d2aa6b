// Printing: the preview of a 1 GiB file (the command to its first page shown,
// and typing the last page number to that page shown), and printing 10 MiB
// into a PDF file against `xxd` writing the same bytes as text.
#include "BenchFiles.h"

#include "core/BinEditDoc.h"
#include "settings/AppSettings.h"
#include "furniture/DesktopInterface.h"
#include "view/BinEditView.h"
#include "view/PrintJob.h"
#include "view/PrintPreviewDlg.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;
constexpr int64_t kMiB = int64_t(1) << 20;

struct OpenFile {
    AppSettings settings;
    CBinEditDoc doc;
    CDesktopInterface ui;
    std::unique_ptr<CBinEditView> view;
    QString path;
};

OpenFile& Open(int64_t size)
{
    static std::map<int64_t, OpenFile*> files;
    OpenFile*& f = files[size];
    if (!f) {
        f = new OpenFile;
        f->path = BenchFile(size);
        f->doc.OnOpenDocument(f->path);
        f->view = std::make_unique<CBinEditView>(&f->doc, f->settings, f->ui);
        f->view->OnInitialUpdate();
    }
    return *f;
}

void BM_PreviewGiB_FirstPageThenLastPage(benchmark::State& state)
{
    OpenFile& file = Open(kGiB);
    QPrinter printer(QPrinter::HighResolution);
    double first = 0, last = 0;
    int64_t pages = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        CPrintPreviewDlg preview(PrintSourceFor(file.doc, file.settings, file.view.get(), false), printer);
        preview.show();
        QApplication::processEvents();  // the first page is painted once the window has its size
        first += SecondsSince(start);
        if (preview.PaintedPages().empty())
            state.SkipWithError("no page was painted");
        pages = preview.PageCount();

        const auto jump = std::chrono::steady_clock::now();
        preview.PageField()->setText(QString::number(pages));
        emit preview.PageField()->editingFinished();
        QApplication::processEvents();
        last += SecondsSince(jump);
        if (preview.CurrentPage() != pages)
            state.SkipWithError("the last page was not shown");
    }
    state.counters["firstPageMs"] = first * 1e3 / double(state.iterations());
    state.counters["lastPageMs"] = last * 1e3 / double(state.iterations());
    state.counters["pages"] = double(pages);
}
BENCHMARK(BM_PreviewGiB_FirstPageThenLastPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Print10MiBToPdf(benchmark::State& state)
{
    OpenFile& file = Open(10 * kMiB);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    int64_t pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        SelectPrinterByName(printer, pdf);
        const PrintSource source = PrintSourceFor(file.doc, file.settings, file.view.get(), false);
        if (PrintPages(source, printer, {}) != PrintOutcome::Printed)
            state.SkipWithError("printing failed");
        CPagePainter counter(source, &printer);
        pages = counter.PageCount(PrinterPageGeometry(printer));
    }
    state.counters["pagesPerSecond"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["pages"] = double(pages);
    state.counters["pdfMiB"] = double(QFile(pdf).size()) / double(kMiB);
    state.SetBytesProcessed(state.iterations() * 10 * kMiB);
}
BENCHMARK(BM_Print10MiBToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// The text work of the same rows by the plain tool: 16 bytes a row.
void BM_Xxd10MiBToText(benchmark::State& state)
{
    OpenFile& file = Open(10 * kMiB);
    QTemporaryDir dir;
    const std::string command = "xxd -g 1 '" + QFile::encodeName(file.path).toStdString() + "' > '" +
                                QFile::encodeName(dir.filePath(QStringLiteral("out.txt"))).toStdString() + "'";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(command.c_str()));
    state.SetBytesProcessed(state.iterations() * 10 * kMiB);
}
BENCHMARK(BM_Xxd10MiBToText)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace

int main(int argc, char** argv) { return RunWidgetBenchmarks(argc, argv); }

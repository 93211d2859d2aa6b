// The hex view on a 1 GiB file: repainting a full window (60 rows of 32
// bytes) at the start, middle and end, and scrolling by one row and by one
// page. Headless, on the offscreen platform.
#include "BenchFiles.h"

#include "settings/AppSettings.h"
#include "furniture/DesktopInterface.h"
#include "view/BinEditView.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;
constexpr int kRows = 60;
constexpr int kBytesPerRow = 32;

// Counts the rows the viewport paints, so the numbers show what was drawn.
class PaintCounter : public QObject {
public:
    int64_t paintedPixelsHigh = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            paintedPixelsHigh += static_cast<QPaintEvent*>(event)->rect().height();
        return false;
    }
};

struct ViewOnBigFile {
    AppSettings settings;
    std::unique_ptr<CBinEditDoc> doc;
    CDesktopInterface ui;
    std::unique_ptr<CBinEditView> view;
    PaintCounter counter;

    ViewOnBigFile()
    {
        settings.bytesPerRow = kBytesPerRow;
        doc = std::make_unique<CBinEditDoc>();
        if (!doc->OnOpenDocument(BenchFile(kGiB)))
            qFatal("cannot load the benchmark file");
        view = std::make_unique<CBinEditView>(doc.get(), settings, ui);
        view->resize(1400, 400);
        view->show();
        view->OnInitialUpdate();
        view->resize(1400, kRows * view->Geometry().lineHeight);
        QApplication::processEvents();
        view->viewport()->installEventFilter(&counter);
    }
    bool Shaped() const { return view->RowsInWindow() == kRows && view->BytesPerRow() == kBytesPerRow; }
};

// Made on first use and destroyed while the application still exists.
std::unique_ptr<ViewOnBigFile> bigFile;

ViewOnBigFile& Big()
{
    if (!bigFile)
        bigFile = std::make_unique<ViewOnBigFile>();
    return *bigFile;
}

int32_t PlaceOf(int which)
{
    const int32_t size = Big().doc->Size();
    return which == 0 ? 0 : which == 1 ? size / 2 : size;
}

// The full paint path of the view into an image: every row of the window.
void BM_RepaintFullWindow(benchmark::State& state)
{
    ViewOnBigFile& big = Big();
    if (!big.Shaped()) {
        state.SkipWithError("the window is not 60 rows of 32 bytes");
        return;
    }
    big.view->SetTop(PlaceOf(int(state.range(0))));
    QImage image(big.view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        big.view->viewport()->render(&image);
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) == 0 ? "start" : state.range(0) == 1 ? "middle" : "end");
}
BENCHMARK(BM_RepaintFullWindow)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Scrolling through the backing store: the view moves the painted pixels and
// paints the uncovered rows (one row), or repaints everything (a page).
void Scroll(benchmark::State& state, int rowsPerStep)
{
    ViewOnBigFile& big = Big();
    if (!big.Shaped()) {
        state.SkipWithError("the window is not 60 rows of 32 bytes");
        return;
    }
    const int32_t middle = PlaceOf(1) / kBytesPerRow * kBytesPerRow;
    big.view->SetTop(middle);
    QApplication::processEvents();
    big.counter.paintedPixelsHigh = 0;
    int direction = 1;
    int steps = 0;
    for (auto _ : state) {
        const int32_t top = big.view->Top().Offset();
        if (top >= middle + 50 * kRows * kBytesPerRow)
            direction = -1;
        else if (top <= middle)
            direction = 1;
        big.view->SetTop(top + direction * rowsPerStep * kBytesPerRow);
        QApplication::processEvents();
        ++steps;
    }
    state.counters["rowsPainted"] =
        double(big.counter.paintedPixelsHigh) / big.view->Geometry().lineHeight / std::max(steps, 1);
}

void BM_ScrollOneRow(benchmark::State& state) { Scroll(state, 1); }
BENCHMARK(BM_ScrollOneRow)->Unit(benchmark::kMillisecond);

void BM_ScrollOnePage(benchmark::State& state) { Scroll(state, kRows); }
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond);

// Jumping the top row across the file, as dragging the thumb does.
void BM_JumpAcrossTheFile(benchmark::State& state)
{
    ViewOnBigFile& big = Big();
    const int32_t size = big.doc->Size();
    int i = 0;
    for (auto _ : state) {
        const int32_t target = int32_t(int64_t(size) * ((i++ * 37) % 100) / 100);
        big.view->SetTop(target);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_JumpAcrossTheFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv, [] { bigFile.reset(); });
}

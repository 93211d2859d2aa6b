// Editing a 1 GiB file in the hex view, headless: the time from a keystroke
// to the changed buffer at the start, middle and end of the file (the key
// handler of a view that is not shown, so nothing is painted); pasting a
// 16 MiB clipboard block and a 256 MiB file into the middle against memcpy
// of the same bytes; and a drag-select across 100,000 rows with the rows it
// repaints counted.
#include "BenchFiles.h"

#include "settings/AppSettings.h"
#include "platform/Clipboard.h"
#include "platform/FileReader.h"
#include "furniture/DesktopInterface.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/ViewClipboard.h"
#include "view/MouseInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;
constexpr int64_t kMiB = int64_t(1) << 20;

const char* PlaceName(int which) { return which == 0 ? "start" : which == 1 ? "middle" : "end"; }

struct DocOnBigFile {
    AppSettings settings;
    std::unique_ptr<CBinEditDoc> doc;
    CDesktopInterface ui;
    std::unique_ptr<CBinEditView> view;

    DocOnBigFile()
    {
        doc = std::make_unique<CBinEditDoc>();
        if (!doc->OnOpenDocument(BenchFile(kGiB)))
            qFatal("cannot load the benchmark file");
        view = std::make_unique<CBinEditView>(doc.get(), settings, ui);
        view->resize(1400, 800);
        view->OnInitialUpdate();
    }
    int32_t PlaceOf(int which) const
    {
        const int32_t size = doc->Size();
        return which == 0 ? 0 : which == 1 ? size / 2 : size;
    }
    // Removes bytes a benchmark added, without recording, so the next
    // iteration starts from the same file.
    void RemoveAt(int32_t offset, int32_t count)
    {
        CBufferPos at;
        at.Bind(&doc->Buffer(), false, offset);
        at.Delete(count);
    }
};

DocOnBigFile& Big()
{
    static DocOnBigFile big;
    return big;
}

// ---------------------------------------------------------------- typing

// state.range(0): 0 start, 1 middle, 2 end; state.range(1): 1 insert, 0 overwrite.
void BM_TypeOneByte(benchmark::State& state)
{
    DocOnBigFile& big = Big();
    big.settings.insertMode = state.range(1) != 0;
    big.view->SetHexActive(false);
    const int32_t start = big.PlaceOf(int(state.range(0)));
    big.view->CaretControl().SetCaret(start, CaretMode::Move);
    const int32_t sizeBefore = big.doc->Size();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    int64_t typed = 0;
    for (auto _ : state) {
        QCoreApplication::sendEvent(big.view.get(), &key);
        ++typed;
    }
    // Overwriting at the end of the file inserts as well.
    const bool inserting = big.settings.insertMode || start == sizeBefore;
    if (big.doc->Size() - sizeBefore != (inserting ? typed : 0))
        state.SkipWithError("the keystrokes did not all reach the buffer");
    big.RemoveAt(start, big.doc->Size() - sizeBefore);
    state.SetLabel(std::string(PlaceName(int(state.range(0)))) + (state.range(1) ? " insert" : " overwrite"));
}
BENCHMARK(BM_TypeOneByte)
    ->ArgsProduct({{0, 1, 2}, {1, 0}})
    ->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- paste

void BM_PasteClipboard16MiB(benchmark::State& state)
{
    DocOnBigFile& big = Big();
    big.settings.insertMode = false;
    big.settings.promptForPasteMode = false;
    big.settings.pasteOverwrite = false;
    std::string block(size_t(16 * kMiB), '\x5A');
    for (size_t i = 0; i < block.size(); i += 4096)
        block[i] = char(i >> 12);
    QByteArray text(block.data(), qsizetype(block.size()));
    text.append('\0');
    platform::SetClipboardTextWithLength(text, int32_t(block.size()));
    const int32_t middle = big.PlaceOf(1);
    for (auto _ : state) {
        big.view->CaretControl().SetCaret(middle, CaretMode::Move);
        if (!big.view->Clipboard().Paste())
            state.SkipWithError("the paste failed");
        state.PauseTiming();
        big.RemoveAt(middle, int32_t(block.size()));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(block.size()));
}
BENCHMARK(BM_PasteClipboard16MiB)->Unit(benchmark::kMillisecond);

void BM_PasteFromFile256MiB(benchmark::State& state)
{
    DocOnBigFile& big = Big();
    big.settings.promptForPasteMode = false;
    big.settings.pasteOverwrite = false;
    const QString path = BenchFile(256 * kMiB);
    const int32_t middle = big.PlaceOf(1);
    // state.range(0) = 1: paste once untimed first, so the buffer's heap
    // already holds the chunk memory (as memcpy's target pages are touched
    // before it is timed); 0: the first paste after loading, page faults included.
    const bool warm = state.range(0) != 0;
    if (warm) {
        big.view->CaretControl().SetCaret(middle, CaretMode::Move);
        big.view->Clipboard().PasteFromFile(path, PasteMode::Normal, false);
        big.RemoveAt(middle, int32_t(256 * kMiB));
    }
    for (auto _ : state) {
        big.view->CaretControl().SetCaret(middle, CaretMode::Move);
        if (!big.view->Clipboard().PasteFromFile(path, PasteMode::Normal, true))
            state.SkipWithError("the paste failed");
        state.PauseTiming();
        big.RemoveAt(middle, int32_t(256 * kMiB));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * 256 * kMiB);
    state.SetLabel(warm ? "heap warm" : "first paste");
}
BENCHMARK(BM_PasteFromFile256MiB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// The references: the same bytes copied with memcpy, and the file read.
void BM_Memcpy(benchmark::State& state)
{
    const size_t n = size_t(state.range(0)) * size_t(kMiB);
    std::vector<char> from(n, '\x5A');
    std::vector<char> to(n);
    std::memset(to.data(), 0, n);  // touch the pages outside the timing
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), n);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(n));
}
BENCHMARK(BM_Memcpy)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_ReadFile256MiB(benchmark::State& state)
{
    const QString path = BenchFile(256 * kMiB);
    std::vector<char> block(64 * 1024);
    for (auto _ : state) {
        platform::FileReader reader;
        if (!reader.Open(path))
            state.SkipWithError("cannot open the file");
        int64_t total = 0;
        for (int64_t n; (n = reader.Read(block.data(), int64_t(block.size()))) > 0;)
            total += n;
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * 256 * kMiB);
}
BENCHMARK(BM_ReadFile256MiB)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- drag-select

// Counts the rows the viewport paints.
class PaintCounter : public QObject {
public:
    int64_t pixelsHigh = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            pixelsHigh += static_cast<QPaintEvent*>(event)->rect().height();
        return false;
    }
};

void SendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &event);
}

// Press on the first row, hold the mouse below the window and let the
// autoscroll step 100,000 times: one row scrolls in and one row's selection
// changes per step, whatever the selection's length.
void BM_DragSelect100000Rows(benchmark::State& state)
{
    constexpr int kSteps = 100000;
    DocOnBigFile& big = Big();
    CBinEditView& view = *big.view;
    view.show();
    view.resize(1400, 60 * view.Geometry().lineHeight + 4);
    QApplication::processEvents();
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    const int rows = view.RowsInWindow();
    int64_t steps = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        view.SetTop(big.PlaceOf(1));
        QApplication::processEvents();
        counter.pixelsHigh = 0;
        const QPoint press(view.Geometry().Px(view.Geometry().hexX) + 2, 2);
        SendMouse(view.viewport(), QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
        SendMouse(view.viewport(), QEvent::MouseMove, QPoint(press.x(), view.ClientHeight() + 40), Qt::NoButton,
                  Qt::LeftButton);
        for (int i = 0; i < kSteps; ++i) {
            view.MouseInput().AutoScrollStep();
            QApplication::processEvents();  // paint what the step invalidated
        }
        SendMouse(view.viewport(), QEvent::MouseButtonRelease, press, Qt::LeftButton, Qt::NoButton);
        steps += kSteps;
        seconds += SecondsSince(begin);
    }
    const CSelectionPos& caret = view.Caret();
    state.counters["selectedRows"] = double(caret.selEnd - caret.selStart) / view.BytesPerRow();
    state.counters["windowRows"] = rows;
    state.counters["rowsPaintedPerStep"] = double(counter.pixelsHigh) / view.Geometry().lineHeight / double(kSteps);
    state.counters["usPerStep"] = seconds * 1e6 / double(std::max<int64_t>(steps, 1));
    view.viewport()->removeEventFilter(&counter);
    view.hide();
}
BENCHMARK(BM_DragSelect100000Rows)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) { return RunWidgetBenchmarks(argc, argv); }

// The Data View page's refresh on a 1 GiB file: reading the bytes at the
// caret, formatting every row (the twelve standard types and the data-type
// module's types) and updating the list's model, without painting. At the
// start, middle and end of the file, and in the middle after 100,000 random
// one-byte edits. Each iteration moves the caret by one byte, as holding an
// arrow key does, so the values change every time.
#include "BenchFiles.h"

#include "ext/TypeExtensions.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/DataViewDlg.h"
#include "settings/AppSettings.h"
#include "furniture/DesktopInterface.h"
#include "view/BinEditView.h"
#include "view/InspectedRange.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;

struct PageOnBigFile {
    AppSettings settings;
    std::unique_ptr<CBinEditDoc> doc;
    CDesktopInterface ui;
    std::unique_ptr<CBinEditView> view;
    CInspectedRange range;
    std::unique_ptr<CDataViewDlg> page;
    TypeExtensions modules{ValueTypes(), QStringLiteral(VANTREL_MODULE_BIN_DIR)};
    bool edited = false;

    PageOnBigFile()
    {
        modules.Load();
        doc = std::make_unique<CBinEditDoc>();
        if (!doc->OnOpenDocument(BenchFile(kGiB)))
            qFatal("cannot load the benchmark file");
        view = std::make_unique<CBinEditView>(doc.get(), settings, ui);
        view->OnInitialUpdate();
        page = std::make_unique<CDataViewDlg>(ValueTypes(), range);
        page->Refresh(view.get(), true);
    }

    // Random offsets visited in ascending order, so placing the cursor costs
    // one pass over the file in all rather than a walk per edit.
    void EditAtRandom(int count)
    {
        std::mt19937 random(42);
        std::vector<int32_t> targets(size_t(count), 0);
        for (int32_t& target : targets)
            target = int32_t(random() % uint32_t(doc->Size() - count));
        std::sort(targets.begin(), targets.end());
        CBufferPos at;
        at.Bind(&doc->Buffer(), false, 0);
        for (int i = 0; i < count; ++i) {
            at.Seek(targets[size_t(i)]);
            if (i % 2 == 0) {
                const uint8_t byte = uint8_t(i);
                at.Insert(1);
                at.Write(&byte, 1);
            } else {
                at.Delete(1);
            }
        }
        edited = true;
    }
};

// Made on first use and destroyed before the application object, whose
// timers the page's widgets use.
std::unique_ptr<PageOnBigFile> big;

PageOnBigFile& Big()
{
    if (!big)
        big = std::make_unique<PageOnBigFile>();
    return *big;
}

void Refresh(benchmark::State& state, int32_t place)
{
    PageOnBigFile& bench = Big();
    int step = 0;
    for (auto _ : state) {
        bench.view->Caret().Seek(place + (step++ & 1));
        bench.page->Refresh(bench.view.get(), false);
    }
    state.counters["types"] = ValueTypes().Count();
}

void BM_DataViewRefresh(benchmark::State& state)
{
    const int32_t size = Big().doc->Size();
    const int which = int(state.range(0));
    // At the end, the last 17 bytes: the long types show "<EOF>" there.
    Refresh(state, which == 0 ? 0 : which == 1 ? size / 2 : size - 17);
    state.SetLabel(which == 0 ? "start" : which == 1 ? "middle" : "end");
}
BENCHMARK(BM_DataViewRefresh)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_DataViewRefreshAfter100000Edits(benchmark::State& state)
{
    if (!Big().edited)
        Big().EditAtRandom(100000);
    Refresh(state, Big().doc->Size() / 2);
}
BENCHMARK(BM_DataViewRefreshAfter100000Edits)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv, [] { big.reset(); });
}

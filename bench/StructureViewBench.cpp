// The Structure View page's refresh (layout walk and model update, no
// painting) on a 1 GiB file:
// - a record of 200 scalar members and four variable arrays of 128 elements
//   (expanded), at the start, middle and end of the file;
// - the legal worst case, 32,767 structures each holding 32,767 DWords, with
//   arrays expanded and the first structure opened; its counter "page_MiB"
//   is the resident memory the page added.
// Each iteration moves the caret by one byte, as holding an arrow key does.
#include "BenchFiles.h"

#include "inspect/StructureCollection.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/StructureViewDlg.h"
#include "settings/AppSettings.h"
#include "types/StdValueType.h"
#include "furniture/DesktopInterface.h"
#include "view/BinEditView.h"
#include "view/InspectedRange.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;

StructureMember Scalar(const QString& name, TypeRef type) { return {name, type, false, 1, false, 0}; }

// Four Word counts first, then 196 scalars of every standard type, then the
// four variable arrays.
StructureDef Record()
{
    StructureDef record{QStringLiteral("Record"), 2, {}};
    for (int i = 0; i < 4; ++i)
        record.members.push_back(Scalar(QStringLiteral("count%1").arg(i), TYPE_WORD));
    for (int i = 0; i < 196; ++i)
        record.members.push_back(Scalar(QStringLiteral("field%1").arg(i), i % STD_VALUE_TYPE_COUNT));
    for (int i = 0; i < 4; ++i)
        record.members.push_back({QStringLiteral("items%1").arg(i), i == 0 ? TYPE_DWORD : TYPE_BYTE, true, 1, true, i});
    return record;
}

// The collection every page of this benchmark lays over the file.
StructureCollection& BenchStructures()
{
    static StructureCollection collection;
    return collection;
}

struct PageOnBigFile {
    AppSettings settings;
    std::unique_ptr<CBinEditDoc> doc;
    CDesktopInterface ui;
    std::unique_ptr<CBinEditView> view;
    CInspectedRange range;
    std::unique_ptr<CStructureViewDlg> page;
    int64_t residentBefore = 0;
    int64_t pageBytes = 0;

    explicit PageOnBigFile(const QString& current)
    {
        doc = std::make_unique<CBinEditDoc>();
        if (!doc->OnOpenDocument(BenchFile(kGiB)))
            qFatal("cannot load the benchmark file");
        view = std::make_unique<CBinEditView>(doc.get(), settings, ui);
        view->OnInitialUpdate();
        residentBefore = ResidentBytes();
        page = std::make_unique<CStructureViewDlg>(BenchStructures(), ValueTypes(), range);
        settings.structCurrent = current;
        settings.structExpandArrays = true;
        page->LoadSettings(settings);
        page->resize(400, 800);
        page->show();
        page->Refresh(view.get(), true);
        QCoreApplication::processEvents();
    }

    // Counts of 0xFFFF: every variable array holds its 128 elements.
    void FillCounts(int32_t at)
    {
        CBufferPos pos;
        pos.Bind(&doc->Buffer(), false, at);
        const QByteArray ones(10, '\xff');
        pos.Write(ones.constData(), int32_t(ones.size()));
    }
};

std::unique_ptr<PageOnBigFile> record;
std::unique_ptr<PageOnBigFile> grid;

void RunRefreshes(benchmark::State& state, PageOnBigFile& bench, int32_t place)
{
    int step = 0;
    for (auto _ : state) {
        bench.view->Caret().Seek(place + (step++ & 1));
        bench.page->Refresh(bench.view.get(), false);
    }
}

void BM_StructureViewRecord(benchmark::State& state)
{
    if (!record) {
        BenchStructures().Clear();
        BenchStructures().Add(Record());
        record = std::make_unique<PageOnBigFile>(QStringLiteral("Record"));
    }
    const int32_t size = record->doc->Size();
    const int which = int(state.range(0));
    const int32_t place = which == 0 ? 0 : which == 1 ? size / 2 : size - 64;
    record->FillCounts(place);
    RunRefreshes(state, *record, place);
    const CTreeListModel& model = record->page->List().Model();
    state.counters["items0_rows"] = model.rowCount(model.index(200, 0, model.index(0, 0)));
    state.SetLabel(which == 0 ? "start" : which == 1 ? "middle" : "end");
}
BENCHMARK(BM_StructureViewRecord)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_StructureViewWorstCase(benchmark::State& state)
{
    if (!grid) {
        record.reset();
        BenchStructures().Clear();
        const int row = BenchStructures().Add(
            {QStringLiteral("Row"), 2, {{QStringLiteral("cells"), TYPE_DWORD, true, 32767, false, 0}}});
        BenchStructures().Add({QStringLiteral("Grid"), 0,
                          {Scalar(QStringLiteral("tag"), TYPE_BYTE), {QStringLiteral("rows"), StructureRef(row), true, 32767, false, 0}}});
        grid = std::make_unique<PageOnBigFile>(QStringLiteral("Grid"));
        // A user opens the first structure as well: its 32,767 DWords.
        const CTreeListModel& model = grid->page->List().Model();
        grid->page->List().List()->expand(model.index(0, 0, model.index(1, 0, model.index(0, 0))));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    RunRefreshes(state, *grid, grid->doc->Size() / 2);
    grid->pageBytes = ResidentBytes() - grid->residentBefore;
    const CTreeListModel& model = grid->page->List().Model();
    state.counters["element_rows"] = model.rowCount(model.index(1, 0, model.index(0, 0)));
    state.counters["page_MiB"] = double(grid->pageBytes) / (1 << 20);
}
BENCHMARK(BM_StructureViewWorstCase)->Unit(benchmark::kMicrosecond);

// Legal, but beyond any walk: 32,767 structures of 32,767 structures that
// each hold a variable array, so no size is fixed and the array's end needs
// a billion elements. The walk stops at its step budget.
void BM_StructureViewStepBudget(benchmark::State& state)
{
    std::unique_ptr<PageOnBigFile> deep;
    {
        grid.reset();
        BenchStructures().Clear();
        const int leaf = BenchStructures().Add({QStringLiteral("Leaf"), 0,
                                           {Scalar(QStringLiteral("n"), TYPE_BYTE),
                                            {QStringLiteral("v"), TYPE_BYTE, true, 1, true, 0}}});
        const int middle = BenchStructures().Add({QStringLiteral("Middle"), 0,
                                             {{QStringLiteral("leaves"), StructureRef(leaf), true, 32767, false, 0}}});
        BenchStructures().Add({QStringLiteral("Top"), 0,
                          {{QStringLiteral("middles"), StructureRef(middle), true, 32767, false, 0},
                           Scalar(QStringLiteral("after"), TYPE_DWORD)}});
        deep = std::make_unique<PageOnBigFile>(QStringLiteral("Top"));
    }
    RunRefreshes(state, *deep, deep->doc->Size() / 2);
}
BENCHMARK(BM_StructureViewStepBudget)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The page and its document go before the application object.
    return RunWidgetBenchmarks(argc, argv, [] {
        record.reset();
        grid.reset();
    });
}

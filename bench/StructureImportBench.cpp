// Structure collections of 200,000 structures (about 10 MB, each one a
// single Byte member): loading the file, filling the "Import Structures"
// dialog's list with it, and importing one structure of it into a small
// collection (the load, the deletion of the 199,999 others and the merge).
#include "BenchFiles.h"

#include "inspect/StructureFile.h"
#include "inspect/StructureRules.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/ImportStructsDlg.h"
#include "types/StdValueType.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int kStructures = 200'000;

// Made once per run, next to the other benchmark files.
QString ManyStructuresFile()
{
    static const QString path = [] {
        StructureCollection many;
        for (int i = 0; i < kStructures; ++i)
            many.Add({QStringLiteral("S%1").arg(i), 0, {{QStringLiteral("b"), TYPE_BYTE, false, 1, false, 0}}});
        const QString file = QDir::temp().filePath(QStringLiteral("vantrel_bench_200000.str"));
        if (!SaveStructureFile(many, file, ValueTypes()))
            qFatal("cannot write the benchmark collection");
        return file;
    }();
    return path;
}

StructureCollection Loaded()
{
    StructureCollection loaded;
    if (!LoadStructureFile(loaded, ManyStructuresFile(), ValueTypes()))
        qFatal("cannot load the benchmark collection");
    return loaded;
}

void BM_LoadStructures200000(benchmark::State& state)
{
    ManyStructuresFile();
    for (auto _ : state) {
        StructureCollection loaded = Loaded();
        benchmark::DoNotOptimize(loaded.Count());
    }
}
BENCHMARK(BM_LoadStructures200000)->Unit(benchmark::kMillisecond);

void BM_ImportDialogFill200000(benchmark::State& state)
{
    const StructureCollection loaded = Loaded();
    for (auto _ : state) {
        CImportStructsDlg dialog(loaded);
        benchmark::DoNotOptimize(dialog.List()->count());
    }
}
BENCHMARK(BM_ImportDialogFill200000)->Unit(benchmark::kMillisecond);

void BM_ImportOneOf200000(benchmark::State& state)
{
    ManyStructuresFile();
    for (auto _ : state) {
        StructureCollection current;
        for (int i = 0; i < 10; ++i)
            current.Add({QStringLiteral("S%1").arg(i), 0, {{QStringLiteral("w"), TYPE_WORD, false, 1, false, 0}}});
        const ImportOutcome outcome = ImportStructures(current, Loaded(), {kStructures / 2});
        if (current.Count() != 11)
            state.SkipWithError("the import did not add exactly one structure");
        benchmark::DoNotOptimize(outcome.merged);
    }
}
BENCHMARK(BM_ImportOneOf200000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) { return RunWidgetBenchmarks(argc, argv); }

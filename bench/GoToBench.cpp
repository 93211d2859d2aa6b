// Go To across the largest file the editor opens, held as extents: each of
// 1,000 random jumps moves the caret the way the Go To command does and is
// timed until the window has painted. The file is in the page cache; what
// is measured is the editor's own work (seek, block reads, painting).
#include "BenchFiles.h"

#include "core/BinEditDoc.h"
#include "furniture/DesktopInterface.h"
#include "settings/AppSettings.h"
#include "tooldialogs/ViewToolAdapter.h"
#include "view/BinEditView.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int64_t size = 2147483647;
    CBinEditDoc doc;
    if (!doc.OnOpenDocument(BenchFile(size)))
        return 1;
    AppSettings settings;
    CDesktopInterface ui;
    CBinEditView view(&doc, settings, ui);
    view.resize(1200, 900);
    view.show();
    view.OnInitialUpdate();
    QApplication::processEvents();

    CViewToolAdapter adapter(view);
    std::mt19937_64 rng(7);
    std::vector<double> ms;
    for (int jump = 0; jump < 1000; ++jump) {
        const auto offset = int32_t(rng() % uint64_t(size));
        const auto start = std::chrono::steady_clock::now();
        adapter.Select(offset, offset);
        view.viewport()->repaint();
        ms.push_back(SecondsSince(start) * 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("1000 Go To jumps across a %lld-byte file opened as %lld extent(s):\n", static_cast<long long>(size),
                static_cast<long long>(doc.Buffer().ExtentCount()));
    std::printf("  median %.3f ms, 95th percentile %.3f ms, slowest %.3f ms\n", ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], ms.back());
    return 0;
}

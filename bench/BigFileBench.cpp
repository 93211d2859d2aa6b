// Files far beyond 2 GiB in the window and in the search, each number with
// its target beside it:
// - the first painted window of a 64 GiB sparse file against an empty file
//   (document and view made, shown and painted; medians and their ratio)
//   and, for scale, a 64 KiB file that fills the window;
// - jumps of the scroll thumb across 64 GiB to the painted window (median
//   and 95th percentile);
// - resident memory while paging through 1,000 random places of 64 GiB,
//   against the read cache plus 64 MiB;
// - Find with no match across 8 GiB held in memory (/dev/shm) by the search
//   engine over the document, against pread of 1 MiB blocks and memmem.
// Headless, on the offscreen platform. The sparse file is kept in
// VANTREL_BENCH_DIR (default /tmp) like every bench file; the 8 GiB file is
// removed again when this run wrote it, as it holds 8 GiB of memory.
#include "BenchFiles.h"

#include "core/BlockCache.h"
#include "core/BinEditDoc.h"
#include "furniture/DesktopInterface.h"
#include "settings/AppSettings.h"
#include "tools/ByteSearch.h"
#include "view/BinEditView.h"
#include "view/GlyphCellPool.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPaintEvent>
#include <QRegion>
#include <QScrollBar>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr int64_t kMiB = int64_t(1) << 20;
constexpr int64_t kGiB = int64_t(1) << 30;
constexpr int64_t kSparseSize = 64 * kGiB;
constexpr int64_t kFindSize = 8 * kGiB;
constexpr int kRows = 60;
constexpr int kBytesPerRow = 32;
constexpr int kWindowWidth = 1400;

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    if (values.empty())
        return 0;
    return values[std::min(values.size() - 1, size_t(fraction * double(values.size())))];
}

double Ms(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

// A line of /proc/self/status in bytes ("VmRSS", "VmHWM").
int64_t StatusBytes(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    const std::string wanted = std::string(key) + ":";
    while (status >> word) {
        if (word == wanted) {
            int64_t kib = 0;
            status >> kib;
            return kib * 1024;
        }
    }
    return -1;
}

// Starts the peak of resident memory (VmHWM) again from what is resident now.
bool ResetPeakResident()
{
    const int fd = ::open("/proc/self/clear_refs", O_WRONLY);
    if (fd < 0)
        return false;
    const bool done = ::write(fd, "5", 1) == 1;
    ::close(fd);
    return done;
}

int64_t MemAvailableBytes()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string word;
    while (meminfo >> word) {
        if (word == "MemAvailable:") {
            int64_t kib = 0;
            meminfo >> kib;
            return kib * 1024;
        }
    }
    return 0;
}

// 64 KiB of varied bytes at the start of every GiB and at the very end, the
// rest holes: a 64 GiB file that takes 4 MiB of disk and shows real rows
// wherever a jump lands near a GiB boundary.
constexpr int64_t kPlanted = 64 * 1024;

void PlantedBytes(int64_t at, std::vector<char>& bytes)
{
    uint64_t state = 0x9E3779B97F4A7C15ull ^ uint64_t(at);
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        byte = char(state >> 56);
    }
}

QString SparseBenchFile()
{
    const QString path = qEnvironmentVariable("VANTREL_BENCH_DIR", QDir::tempPath()) +
                         QStringLiteral("/vantrel-bench-sparse-64GiB.bin");
    if (QFileInfo(path).size() == kSparseSize)
        return path;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate) || !file.resize(kSparseSize))
        qFatal("cannot make the sparse file %s", qPrintable(path));
    std::vector<char> bytes(size_t(kPlanted), 0);
    for (int64_t at = 0; at < kSparseSize; at += kGiB) {
        PlantedBytes(at, bytes);
        if (!file.seek(at) || file.write(bytes.data(), kPlanted) != kPlanted)
            qFatal("cannot write into %s", qPrintable(path));
    }
    PlantedBytes(kSparseSize - kPlanted, bytes);
    if (!file.seek(kSparseSize - kPlanted) || file.write(bytes.data(), kPlanted) != kPlanted)
        qFatal("cannot write into %s", qPrintable(path));
    return path;
}

// A document configured as the program configures every document: the read
// cache of the settings' size and the "Large files from" threshold.
std::unique_ptr<CBinEditDoc> OpenDocument(const QString& path, const AppSettings& settings,
                                          std::shared_ptr<CBlockCache>* cacheOut = nullptr)
{
    auto doc = std::make_unique<CBinEditDoc>();
    auto cache = std::make_shared<CBlockCache>(settings.blockCacheMiB * kMiB);
    if (cacheOut)
        *cacheOut = cache;
    doc->Buffer().SetBlockCache(cache);
    doc->Buffer().SetExtentThreshold(settings.extentThresholdMiB * kMiB);
    if (!doc->OnOpenDocument(path))
        qFatal("cannot open %s", qPrintable(path));
    return doc;
}

// Collects what the viewport painted, to tell when the whole window was.
class PaintWatch : public QObject {
public:
    QRegion painted;
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

struct ShownDocument {
    double openMs = 0;  // of the time to the painted window: opening the document
    double viewMs = 0;  // and making the view
    std::shared_ptr<CBlockCache> cache;
    std::unique_ptr<CBinEditDoc> doc;
    std::unique_ptr<CBinEditView> view;
    PaintWatch watch;
};

// The window's height for kRows rows of the view's font; found once.
int WindowHeight(AppSettings& settings, CDesktopInterface& ui, const QString& path)
{
    auto doc = OpenDocument(path, settings);
    CBinEditView view(doc.get(), settings, ui);
    view.resize(kWindowWidth, 400);
    view.show();
    view.OnInitialUpdate();
    QApplication::processEvents();
    const int height = view.height() - view.viewport()->height() + kRows * view.Geometry().lineHeight;
    view.resize(kWindowWidth, height);
    QApplication::processEvents();
    if (view.RowsInWindow() != kRows || view.BytesPerRow() != kBytesPerRow)
        qFatal("the window shows %d rows of %d bytes", view.RowsInWindow(), view.BytesPerRow());
    return height;
}

// The character cells the program's views share, as its context holds
// them; made in main, after the application.
GlyphCellPool* programCells = nullptr;

// Makes the document and its view, shows it and waits until the viewport has
// been painted whole; returns the milliseconds that took. A window not
// painted within ten seconds ends the run.
double ShowUntilPainted(ShownDocument& shown, const QString& path, AppSettings& settings, CDesktopInterface& ui,
                        int height)
{
    QElapsedTimer timer;
    timer.start();
    shown.doc = OpenDocument(path, settings, &shown.cache);
    shown.openMs = Ms(timer);
    shown.view = std::make_unique<CBinEditView>(shown.doc.get(), settings, ui);
    shown.view->ShareCells(programCells);
    shown.viewMs = Ms(timer) - shown.openMs;
    shown.view->resize(kWindowWidth, height);
    shown.view->viewport()->installEventFilter(&shown.watch);
    shown.view->show();
    shown.view->OnInitialUpdate();
    while (!shown.watch.painted.contains(shown.view->viewport()->rect())) {
        if (timer.elapsed() > 10000)
            qFatal("the window was never painted whole");
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return Ms(timer);
}

void FirstPaint(AppSettings& settings, CDesktopInterface& ui, const QString& sparse, const QString& empty,
                const QString& small64k, int height)
{
    constexpr int kRuns = 11;
    std::vector<double> big, small, openBig, openSmall, viewBig, viewSmall, full;
    int rowsShown = 0;
    // The session's first window draws its cells and checks them against
    // Qt's drawing; every later one copies them.
    double sessionFirst = 0;
    {
        GlyphCellPool fresh;
        GlyphCellPool* shared = std::exchange(programCells, &fresh);
        ShownDocument shown;
        sessionFirst = ShowUntilPainted(shown, sparse, settings, ui, height);
        programCells = shared;
    }
    // One round of each first: the font's glyph cells and Qt's own caches.
    for (int run = -1; run < kRuns; ++run) {
        for (int which = 0; which < 3; ++which) {
            ShownDocument shown;
            const double ms =
                ShowUntilPainted(shown, which == 0 ? sparse : which == 1 ? empty : small64k, settings, ui, height);
            if (which == 2) {
                if (run >= 0)
                    full.push_back(ms);
                continue;
            }
            if (which == 0)
                rowsShown = shown.view->RowsInWindow();
            if (run >= 0) {
                (which == 0 ? big : small).push_back(ms);
                (which == 0 ? openBig : openSmall).push_back(shown.openMs);
                (which == 0 ? viewBig : viewSmall).push_back(shown.viewMs);
            }
        }
    }
    const double ratio = Median(big) / Median(small);
    std::printf("first painted window (%d rows of %d bytes, median of %d): 64 GiB sparse %.2f ms, empty file %.2f ms; "
                "ratio %.2f (target: at most 1.2): %s\n",
                rowsShown, kBytesPerRow, kRuns, Median(big), Median(small), ratio, Verdict(ratio <= 1.2));
    std::printf("  of which opening the document: 64 GiB %.2f ms, empty %.2f ms; making the view: %.2f ms, %.2f ms; "
                "showing and painting it: %.2f ms, %.2f ms (medians)\n",
                Median(openBig), Median(openSmall), Median(viewBig), Median(viewSmall),
                Median(big) - Median(openBig) - Median(viewBig), Median(small) - Median(openSmall) - Median(viewSmall));
    // A full window of rows costs the same whatever the file's size: an empty
    // file paints no rows (and its view caches no character cells).
    std::printf("  the session's first window (64 GiB, its character cells drawn and checked): %.2f ms\n",
                sessionFirst);
    std::printf("  for scale, a 64 KiB file (the first 64 KiB of the 64 GiB one, a full window of rows): %.2f ms; "
                "64 GiB / 64 KiB %.2f (no target)\n",
                Median(full), Median(big) / Median(full));
}

void ThumbJumps(AppSettings& settings, CDesktopInterface& ui, const QString& sparse, int height)
{
    constexpr int kJumps = 500;
    ShownDocument shown;
    ShowUntilPainted(shown, sparse, settings, ui, height);
    CBinEditView& view = *shown.view;
    QScrollBar* bar = view.verticalScrollBar();
    std::mt19937_64 random(64);
    std::uniform_int_distribution<int> position(0, bar->maximum());
    std::vector<double> ms;
    int64_t furthest = 0;
    int missed = 0;
    const int paintsBefore = shown.watch.paints;
    for (int i = 0; i < kJumps; ++i) {
        const int value = position(random);
        const ScrollRange range = VerticalScrollRange(shown.doc->Size(), view.BytesPerRow(), view.RowsInWindow());
        const int64_t wanted = std::min(range.RowOfPosition(value), range.lastTopRow) * view.BytesPerRow();
        QElapsedTimer timer;
        timer.start();
        bar->setValue(value);
        view.viewport()->repaint();
        ms.push_back(Ms(timer));
        QApplication::processEvents();
        furthest = std::max(furthest, view.Top().Offset());
        if (view.Top().Offset() != wanted)
            ++missed;
    }
    const int paints = shown.watch.paints - paintsBefore;
    std::printf("thumb jumps across 64 GiB (%d jumps over a bar of 0..%d, %d paints; furthest top %lld, "
                "%d landed off their row): median %.3f ms, 95th percentile %.3f ms (target: median at most 2 ms): %s\n",
                kJumps, bar->maximum(), paints, static_cast<long long>(furthest), missed, Median(ms),
                Percentile(ms, 0.95), Verdict(Median(ms) <= 2.0 && missed == 0 && paints >= kJumps));
}

void PagingMemory(AppSettings& settings, CDesktopInterface& ui, const QString& sparse, int height)
{
    constexpr int kPlaces = 1000;
    ShownDocument shown;
    ShowUntilPainted(shown, sparse, settings, ui, height);
    CBinEditView& view = *shown.view;
    if (!ResetPeakResident()) {
        std::printf("resident memory while paging: skipped, /proc/self/clear_refs cannot be written\n");
        return;
    }
    const int64_t before = StatusBytes("VmRSS");
    std::mt19937_64 random(1000);
    std::uniform_int_distribution<int64_t> offset(0, shown.doc->Size() - 1);
    const int paintsBefore = shown.watch.paints;
    for (int i = 0; i < kPlaces; ++i) {
        view.SetTop(offset(random));
        view.viewport()->repaint();
        QApplication::processEvents();
    }
    const int64_t peak = StatusBytes("VmHWM");
    const int64_t after = StatusBytes("VmRSS");
    const int64_t limit = settings.blockCacheMiB * kMiB + 64 * kMiB;
    const double mib = double(kMiB);
    std::printf("resident memory paging through %d random places of 64 GiB (%d paints; read cache holds %.1f MiB "
                "after %lld misses): before %.1f MiB, peak %.1f MiB, after %.1f MiB; peak growth %.1f MiB (target: at "
                "most the read cache %d MiB + 64 MiB = %.0f MiB): %s\n",
                kPlaces, shown.watch.paints - paintsBefore, double(shown.cache->HeldBytes()) / mib,
                static_cast<long long>(shown.cache->Misses()), double(before) / mib, double(peak) / mib,
                double(after) / mib, double(peak - before) / mib, settings.blockCacheMiB, double(limit) / mib,
                Verdict(peak - before <= limit));
}

// The plain way: pread 1 MiB at a time and memmem over each block, the
// pattern's length minus one bytes carried over so no match across two
// blocks is lost. Returns the offset of the first match or -1.
int64_t PreadMemmem(int fd, const char* pattern, size_t n)
{
    std::vector<char> block(size_t(kMiB) + n);
    int64_t offset = 0;
    size_t carried = 0;
    for (;;) {
        const ssize_t got = ::pread(fd, block.data() + carried, size_t(kMiB), offset);
        if (got <= 0)
            return -1;
        offset += got;
        const size_t filled = carried + size_t(got);
        if (const void* found = memmem(block.data(), filled, pattern, n))
            return offset - int64_t(filled) + (static_cast<const char*>(found) - block.data());
        carried = std::min(filled, n - 1);
        std::memmove(block.data(), block.data() + filled - carried, carried);
    }
}

void FindInMemory(const AppSettings& settings)
{
    const QString dir = QStringLiteral("/dev/shm");
    struct statvfs room {};
    const bool exists = QFileInfo(dir + QStringLiteral("/vantrel-bench-8GiB.bin")).size() == kFindSize;
    if (!exists && (statvfs("/dev/shm", &room) != 0 || int64_t(room.f_bavail) * int64_t(room.f_frsize) < kFindSize + kGiB ||
                    MemAvailableBytes() < kFindSize + 2 * kGiB)) {
        std::printf("find with no match across 8 GiB in memory: skipped, /dev/shm or the memory has no room for 8 GiB\n");
        return;
    }
    bool created = false;
    const QString path = BenchFileIn(dir, kFindSize, "8GiB", &created);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open %s", qPrintable(path));
    const int fd = file.handle();

    // The first candidate absent from the file, as the plain loop finds.
    const char* const candidates[] = {"Qz#9kP!x@7LmW2vB", "Vn&2Hx!4tY=3P%q8", "k@J7Hx!4Qz#9tY=3"};
    const char* pattern = nullptr;
    for (const char* candidate : candidates) {
        if (PreadMemmem(fd, candidate, std::strlen(candidate)) < 0) {
            pattern = candidate;
            break;
        }
    }
    if (!pattern) {
        std::printf("find with no match across 8 GiB in memory: skipped, every candidate pattern occurs\n");
    } else {
        const size_t n = std::strlen(pattern);
        auto doc = OpenDocument(path, settings);
        const CByteSearch search(pattern, int32_t(n), true);
        constexpr int kRuns = 3;
        std::vector<double> engine, plain;
        bool agreed = true;
        // Taken in turns, so both see the same load of the machine.
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            const int64_t found = search.FindForward(doc->Buffer(), 0, doc->Size());
            engine.push_back(double(kFindSize) / (double(timer.nsecsElapsed())));
            agreed = agreed && found == -1 && !search.Problem();
            timer.restart();
            const int64_t plainFound = PreadMemmem(fd, pattern, n);
            plain.push_back(double(kFindSize) / (double(timer.nsecsElapsed())));
            agreed = agreed && plainFound == -1;
        }
        const double ratio = Median(engine) / Median(plain);
        std::printf("find with no match across 8 GiB in memory (%zu-byte pattern, median of %d): engine %.2f GB/s, "
                    "pread 1 MiB + memmem %.2f GB/s; ratio %.2f (target: at least 0.8)%s: %s\n",
                    n, kRuns, Median(engine), Median(plain), ratio, agreed ? "" : " [a search found a match or failed]",
                    Verdict(ratio >= 0.8 && agreed));
    }
    file.close();
    if (created)
        QFile::remove(path);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("VANTREL_CONFIG_DIR", configDir.path().toLocal8Bit());
    QApplication app(argc, argv);

    GlyphCellPool cells;
    programCells = &cells;
    AppSettings settings;
    settings.bytesPerRow = kBytesPerRow;
    CDesktopInterface ui;
    const QString sparse = SparseBenchFile();
    const QString empty = configDir.filePath(QStringLiteral("empty.bin"));
    if (QFile emptyFile(empty); !emptyFile.open(QIODevice::WriteOnly))
        qFatal("cannot make %s", qPrintable(empty));
    const QString small64k = configDir.filePath(QStringLiteral("small.bin"));
    std::vector<char> planted(static_cast<size_t>(kPlanted));
    PlantedBytes(0, planted);
    if (QFile smallFile(small64k);
        !smallFile.open(QIODevice::WriteOnly) || smallFile.write(planted.data(), kPlanted) != kPlanted)
        qFatal("cannot make %s", qPrintable(small64k));
    const int height = WindowHeight(settings, ui, sparse);

    // Parts named on the command line run alone (to profile one of them).
    const QStringList parts = app.arguments().mid(1);
    const auto wanted = [&](const char* part) { return parts.isEmpty() || parts.contains(QLatin1String(part)); };
    // Memory first, before other documents leave freed blocks in the heap
    // that the cache would take again without the process growing.
    if (wanted("memory"))
        PagingMemory(settings, ui, sparse, height);
    if (wanted("paint"))
        FirstPaint(settings, ui, sparse, empty, small64k, height);
    if (wanted("jump"))
        ThumbJumps(settings, ui, sparse, height);
    if (wanted("find"))
        FindInMemory(settings);
    return 0;
}

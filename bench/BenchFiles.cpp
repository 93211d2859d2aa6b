#include "BenchFiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <vector>

#include <sys/resource.h>

QString BenchFile(int64_t size, const char* name)
{
    return BenchFileIn(qEnvironmentVariable("VANTREL_BENCH_DIR", QDir::tempPath()), size, name);
}

QString BenchFileIn(const QString& dir, int64_t size, const char* name, bool* created)
{
    if (created)
        *created = false;
    const QString path = dir + QStringLiteral("/vantrel-bench-%1.bin").arg(name ? QString::fromLatin1(name) : QString::number(size));
    if (!QFileInfo::exists(path) || QFileInfo(path).size() != size) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot create %s", qPrintable(path));
        if (created)
            *created = true;
        std::vector<uint64_t> block(1 << 17);
        uint64_t state = 0x9E3779B97F4A7C15ull;
        int64_t left = size;
        while (left > 0) {
            for (auto& word : block) {
                state ^= state << 13;
                state ^= state >> 7;
                state ^= state << 17;
                word = state;
            }
            const int64_t n = std::min<int64_t>(left, int64_t(block.size() * 8));
            file.write(reinterpret_cast<const char*>(block.data()), n);
            left -= n;
        }
    }
    QFile file(path);  // warm the page cache
    if (file.open(QIODevice::ReadOnly)) {
        std::vector<char> sink(1 << 20);
        while (file.read(sink.data(), qint64(sink.size())) > 0) {
        }
    }
    return path;
}

int64_t ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    int64_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

double SecondsSince(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int RunWidgetBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("VANTREL_CONFIG_DIR", configDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit)
        beforeExit();
    return 0;
}

double CpuSeconds()
{
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    rusage self{};
    rusage children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    return seconds(self.ru_utime) + seconds(self.ru_stime) + seconds(children.ru_utime) + seconds(children.ru_stime);
}

Timing BestOfThreeRuns(const std::function<bool()>& run, const std::function<void()>& after, double enoughSeconds)
{
    Timing best;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        const double cpuBefore = CpuSeconds();
        timer.start();
        if (!run())
            return {-1, -1};
        best.wall = std::min(best.wall, double(timer.nsecsElapsed()) / 1e9);
        best.cpu = std::min(best.cpu, CpuSeconds() - cpuBefore);
        if (after)
            after();
        if (best.wall > enoughSeconds)
            break;
    }
    return best;
}

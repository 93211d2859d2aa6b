// Start-up with a large file on the command line: from process start to the
// first painted window, against reading the same file with `cat` into
// /dev/null in the same run, and the resident memory at that first paint.
//   bench_startup [SIZE_MIB]        (default 1024)
//   bench_startup --bytes SIZE
// The parent starts a child copy of this program that runs the application
// object exactly as the program does and says when the hex view has painted.
#include "BenchFiles.h"
#include "app/BinEditApp.h"
#include "app/MainFrame.h"
#include "platform/InstanceChannel.h"
#include "furniture/AppDialogs.h"
#include "furniture/DesktopInterface.h"
#include "view/BinEditView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRuns = 3;

// Child: prints "painted <load ms> <paint ms>" once the view has painted.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(const QElapsedTimer& clock) : clock_(clock) {}
    qint64 loadedMs = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !reported_) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && qobject_cast<CBinEditView*>(widget->parentWidget())) {
                reported_ = true;
                // Runs after this paint event has been handled.
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        std::printf("painted %lld %lld %lld\n", loadedMs, clock_.elapsed(),
                                    static_cast<long long>(ResidentBytes()));
                        std::fflush(stdout);
                        ::_exit(0);  // the parent has its number; skip freeing the file
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    const QElapsedTimer& clock_;
    bool reported_ = false;
};

int RunChild(int argc, char** argv, const QString& file)
{
    QElapsedTimer clock;
    clock.start();
    QApplication qtApp(argc, argv);
    FirstPaintWatcher watcher(clock);
    qtApp.installEventFilter(&watcher);
    platform::InstanceGuard guard("vantrel-bench-" + QUuid::createUuid().toString(QUuid::Id128));
    CDesktopInterface ui;
    CBinEditApp app(guard, MakeStandardDialogs(), ui);
    if (!app.InitInstance({"vantrel", file}))
        return 1;
    watcher.loadedMs = clock.elapsed();
    return QApplication::exec();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double TimeCat(const QString& file)
{
    QProcess cat;
    cat.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    cat.start(QStringLiteral("cat"), {file});
    cat.waitForFinished(-1);
    return double(clock.nsecsElapsed()) / 1e6;
}

struct StartupTimes {
    double total = 0;   // process start to first paint, measured here
    double loaded = 0;  // child's own clock: start-up done (file loaded)
    double painted = 0; // child's own clock: first paint
    double residentMiB = 0;  // child's resident memory right after the first paint
};

StartupTimes TimeStartup(const QString& self, const QString& file)
{
    QTemporaryDir config;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VANTREL_CONFIG_DIR"), config.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    child.start(self, {QStringLiteral("--child"), file});
    StartupTimes times;
    while (child.waitForReadyRead(-1) || child.canReadLine()) {
        if (!child.canReadLine())
            continue;
        const QByteArray line = child.readLine().trimmed();
        if (line.startsWith("painted")) {
            times.total = double(clock.nsecsElapsed()) / 1e6;
            const QList<QByteArray> parts = line.split(' ');
            times.loaded = parts.value(1).toDouble();
            times.painted = parts.value(2).toDouble();
            times.residentMiB = parts.value(3).toDouble() / double(1 << 20);
            break;
        }
    }
    child.waitForFinished(-1);
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--child")
        return RunChild(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication core(argc, argv);
    // bench_startup [SIZE_MIB] or bench_startup --bytes SIZE
    const bool exact = argc >= 3 && QByteArray(argv[1]) == "--bytes";
    const int64_t bytes = exact ? QByteArray(argv[2]).toLongLong()
                                : (argc >= 2 ? QByteArray(argv[1]).toLongLong() : 1024) << 20;
    const int64_t mib = bytes >> 20;
    const QString file = BenchFile(bytes, bytes == int64_t(1) << 30 ? "1gib" : nullptr);
    const QString self = QCoreApplication::applicationFilePath();

    std::vector<double> cat, total, loaded, painted, resident;
    for (int run = 0; run < kRuns; ++run) {
        cat.push_back(TimeCat(file));
        const StartupTimes times = TimeStartup(self, file);
        total.push_back(times.total);
        loaded.push_back(times.loaded);
        painted.push_back(times.painted);
        resident.push_back(times.residentMiB);
    }
    std::printf("file: %s (%lld bytes, %lld MiB), median of %d runs\n", qPrintable(file),
                static_cast<long long>(bytes), static_cast<long long>(mib), kRuns);
    std::printf("  cat file > /dev/null                     %8.1f ms\n", Median(cat));
    std::printf("  process start to first painted window    %8.1f ms\n", Median(total));
    std::printf("    (inside the process: start-up done at %.1f ms, first paint at %.1f ms)\n", Median(loaded),
                Median(painted));
    std::printf("  resident memory after the first paint    %8.1f MiB\n", Median(resident));
    return 0;
}

// Opening many small files at once: 1,000 files from one command line, and
// 1,000 files forwarded by a second copy to the running one, while further
// copies keep forwarding; the running copy must answer each within 0.5 s.
//   bench_forward [COUNT]        (default 1000)
// Each measurement runs in a child copy of this program that runs the
// application object as the program does, headless.
#include "app/BinEditApp.h"
#include "app/ForwardMessage.h"
#include "furniture/AppDialogs.h"
#include "furniture/DesktopInterface.h"
#include "platform/InstanceChannel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUuid>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {

QStringList MakeFiles(const QString& folder, int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("%1/f%2.bin").arg(folder).arg(i, 5, 10, QLatin1Char('0'));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(64, char(i)));
        paths << path;
    }
    return paths;
}

// Child: start-up with every file on the command line; prints the time.
int RunCommandLineChild(int argc, char** argv, const QStringList& files)
{
    QApplication qtApp(argc, argv);
    platform::InstanceGuard guard("vantrel-bench-" + QUuid::createUuid().toString(QUuid::Id128));
    CDesktopInterface ui;
    CBinEditApp app(guard, MakeStandardDialogs(), ui);
    QElapsedTimer clock;
    clock.start();
    const bool started = app.InitInstance(QStringList{"vantrel"} + files);
    std::printf("cmdline %lld %d\n", clock.elapsed(), started ? app.Documents().Count() : -1);
    std::fflush(stdout);
    return 0;
}

// A second copy, run on its own thread: sends the big block, then a small
// one every 100 ms until told to stop, recording each reply's delay.
class ForwardingCopies : public QThread {
public:
    ForwardingCopies(QString path, QStringList files) : path_(std::move(path)), files_(std::move(files)) {}
    std::atomic<bool> stop{false};
    std::atomic<qint64> firstReplyMs{-1};
    std::vector<double> laterReplyMs;
    int laterFailures = 0;

protected:
    void run() override
    {
        firstReplyMs = Exchange(BuildForwardBlock(files_));
        while (!stop) {
            QThread::msleep(100);
            const qint64 ms = Exchange(BuildForwardBlock({QStringLiteral("-nothing")}));
            if (ms < 0 && !stop)  // the last one may meet the running copy ending
                ++laterFailures;
            else
                laterReplyMs.push_back(double(ms));
        }
    }

private:
    qint64 Exchange(const QByteArray& block)
    {
        QElapsedTimer clock;
        clock.start();
        QLocalSocket socket;
        socket.connectToServer(path_);
        if (!socket.waitForConnected(5000))
            return -1;
        const std::optional<uint32_t> reply = platform::SendBlock(socket, block, 30000);
        return reply && *reply == 1 ? clock.elapsed() : -1;
    }

    QString path_;
    QStringList files_;
};

// Child: a running copy without files; another copy forwards them all.
int RunForwardChild(int argc, char** argv, const QStringList& files)
{
    QApplication qtApp(argc, argv);
    platform::InstanceGuard guard("vantrel-bench-" + QUuid::createUuid().toString(QUuid::Id128));
    CDesktopInterface ui;
    CBinEditApp app(guard, MakeStandardDialogs(), ui);
    if (!app.InitInstance({"vantrel"}))
        return 1;
    ForwardingCopies copies(guard.Path(), files);
    QElapsedTimer clock;
    clock.start();
    copies.start();
    qint64 allOpenMs = -1;
    int opened = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        opened = app.Documents().Count();
        if (opened >= files.size() || clock.elapsed() > 600000) {
            allOpenMs = clock.elapsed();
            poll.stop();
            QApplication::quit();
        }
    });
    poll.start(5);
    QApplication::exec();
    copies.stop = true;
    copies.wait();
    std::vector<double> later = copies.laterReplyMs;
    std::sort(later.begin(), later.end());
    const double median = later.empty() ? -1 : later[later.size() / 2];
    const double worst = later.empty() ? -1 : later.back();
    std::printf("forward %lld %lld %d %zu %.1f %.1f %d\n", static_cast<long long>(copies.firstReplyMs.load()),
                static_cast<long long>(allOpenMs), opened, later.size(), median, worst,
                copies.laterFailures);
    std::fflush(stdout);
    return 0;
}

QList<QByteArray> RunChild(const QString& mode, const QString& folder, int count)
{
    QTemporaryDir config;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VANTREL_CONFIG_DIR"), config.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {mode, folder, QString::number(count)});
    child.waitForFinished(-1);
    return child.readAllStandardOutput().trimmed().split(' ');
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && QByteArray(argv[1]).startsWith("--")) {
        QStringList files;
        for (int i = 0; i < QByteArray(argv[3]).toInt(); ++i)
            files << QStringLiteral("%1/f%2.bin").arg(QString::fromLocal8Bit(argv[2])).arg(i, 5, 10, QLatin1Char('0'));
        int childArgc = 1;
        if (QByteArray(argv[1]) == "--cmdline")
            return RunCommandLineChild(childArgc, argv, files);
        return RunForwardChild(childArgc, argv, files);
    }

    QCoreApplication core(argc, argv);
    const int count = argc >= 2 ? QByteArray(argv[1]).toInt() : 1000;
    QTemporaryDir folder;
    MakeFiles(folder.path(), count);

    const QList<QByteArray> cmdline = RunChild(QStringLiteral("--cmdline"), folder.path(), count);
    std::printf("%d files of 64 bytes\n", count);
    std::printf("  one command line: start-up with all files open   %8.0f ms (%s documents)\n",
                cmdline.value(1).toDouble(), cmdline.value(2).constData());

    const QList<QByteArray> forward = RunChild(QStringLiteral("--forward"), folder.path(), count);
    std::printf("  one forward: the sender's reply                  %8.0f ms\n", forward.value(1).toDouble());
    std::printf("  one forward: all files open                      %8.0f ms (%s documents)\n", forward.value(2).toDouble(),
                forward.value(3).constData());
    std::printf("  other copies forwarding meanwhile: %s answered, median %.1f ms, slowest %.1f ms, %s unanswered\n",
                forward.value(4).constData(), forward.value(5).toDouble(), forward.value(6).toDouble(),
                forward.value(7).constData());
    return 0;
}

// vantrel-cli against the reference tools on a 1 GiB page-cached file: the
// best wall time of three runs of each through the shell, their ratio
// against the target, and the peak resident memory of one more run of ours.
//   bench_cli [PROGRAM]   (default: vantrel-cli of this build)
#include "BenchFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int64_t kFileBytes = int64_t(1) << 30;

// A status of 1 is a negative answer (no match), not a failure.
bool Shell(const QString& command)
{
    return QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command + QStringLiteral(" >/dev/null; test $? -le 1")}) == 0;
}

// Peak resident memory of one run, in MiB, by /usr/bin/time.
double PeakMiB(const QString& command, const QString& scratch)
{
    const QString report = scratch + QStringLiteral("/time.txt");
    Shell(QStringLiteral("/usr/bin/time -f %M -o '%1' %2").arg(report, command));
    QFile file(report);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    // A run that ends with status 1 gets a line about it before the number.
    return file.readAll().trimmed().split('\n').last().toDouble() / 1024.0;
}

void Compare(const char* label, const QString& ours, const QString& reference, double target, const QString& scratch)
{
    const Timing mine = BestOfThreeRuns([&] { return Shell(ours); });
    const Timing theirs = BestOfThreeRuns([&] { return Shell(reference); });
    const double ratio = mine.wall / theirs.wall;
    // A target of 0: measured for scale and for its memory, with no target.
    const QByteArray verdict = target > 0 ? QStringLiteral("<=%1 %2").arg(target, 0, 'f', 1).arg(ratio <= target ? "met" : "MISSED").toLatin1() : QByteArray();
    std::printf("%-40s %9.3f %9.3f %7.2f  %-12s  peak %6.1f MiB\n", label, mine.wall, theirs.wall, ratio,
                verdict.constData(), PeakMiB(ours, scratch));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString cli = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VANTREL_CLI_PROGRAM);
    QTemporaryDir scratch;
    qputenv("VANTREL_CONFIG_DIR", scratch.path().toLocal8Bit());
    const QString a = BenchFile(kFileBytes, "cli-a");
    const QString b = BenchFile(kFileBytes, "cli-b");
    if (!Shell(QStringLiteral("cmp -s '%1' '%2'").arg(a, b))) {
        std::fprintf(stderr, "the two bench files differ\n");
        return 1;
    }
    const QString pattern = QStringLiteral("01 02 03 04 05 06 07 08 09 0B 0C 0E");
    std::printf("%-40s %9s %9s %7s\n", "1 GiB, best of three (s)", "ours", "theirs", "ratio");
    Compare("sum SHA-256 vs sha256sum", QStringLiteral("'%1' sum SHA-256 '%2'").arg(cli, a),
            QStringLiteral("sha256sum '%1'").arg(a), 1.1, scratch.path());
    Compare("sum SHA-1 vs sha1sum", QStringLiteral("'%1' sum SHA-1 '%2'").arg(cli, a),
            QStringLiteral("sha1sum '%1'").arg(a), 1.1, scratch.path());
    Compare("find --hex, no match, vs grep -c -F -a", QStringLiteral("'%1' find '%2' --hex '%3'").arg(cli, a, pattern),
            QStringLiteral("LC_ALL=C grep -c -F -a \"$(printf '\\001\\002\\003\\004\\005\\006\\007\\010\\011\\013\\014\\016')\" '%1'").arg(a),
            1.1, scratch.path());
    // The conversions stream: their peak memory is the same for any input.
    // The time includes handing the output over from the task's file.
    Compare("run Base64 Encode Data vs base64", QStringLiteral("'%1' run 'Base64 Encode Data' '%2'").arg(cli, a),
            QStringLiteral("base64 '%1'").arg(a), 0, scratch.path());
    Compare("compare identical vs cmp", QStringLiteral("'%1' compare '%2' '%3'").arg(cli, a, b),
            QStringLiteral("cmp '%1' '%2'").arg(a, b), 1.2, scratch.path());

    const Timing startup = BestOfThreeRuns([&] { return Shell(QStringLiteral("'%1' tasks").arg(cli)); });
    const Timing shell = BestOfThreeRuns([&] { return Shell(QStringLiteral("true")); });
    std::printf("%-40s %9.3f s (the shell alone %.3f s)  <0.100 %s\n", "start-up of vantrel-cli tasks", startup.wall,
                shell.wall, startup.wall < 0.1 ? "met" : "MISSED");
    return 0;
}

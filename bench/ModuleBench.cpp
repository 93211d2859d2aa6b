// The modules' tasks on a 256 MiB input against the reference tools, measured
// in the same run: each side runs three times (once when it takes over five
// seconds) and the best time counts. The digest comparisons also give the
// processor time (user + system, of this process and of the tools it ran),
// which other work on a busy machine does not inflate.
#include "BenchFiles.h"

#include "ext/TaskExtensions.h"

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md2.h>
#include <cryptopp/md5.h>

#ifdef VANTREL_BENCH_DIGESTS
#include "modules/digests/CryptoDigests.h"
#include "modules/digests/DigestRun.h"
#include "modules/digests/EvpDigests.h"
#endif

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <functional>


namespace {

// Slow enough that one run is a fair measure.
constexpr double kEnoughSeconds = 5.0;

Timing BestTimes(const std::function<bool()>& run) { return BestOfThreeRuns(run, {}, kEnoughSeconds); }

double BestOfThree(const std::function<bool()>& run) { return BestTimes(run).wall; }

void PrintTimes(const char* label, const Timing& ours, const Timing& reference, double target)
{
    const double ratio = ours.wall / reference.wall;
    std::printf("%-44s %10.3f %10.3f %8.2f %7s%.1f %s   cpu %.3f / %.3f = %.2f\n", label, ours.wall, reference.wall, ratio,
                "<=", target, ratio <= target ? "met" : "MISSED", ours.cpu, reference.cpu, ours.cpu / reference.cpu);
}

// Runs a shell command line (the reference tool), output discarded unless redirected.
bool Shell(const QString& command)
{
    return QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command}) == 0;
}

int FindTask(const TaskExtensions& tasks, int kind, const QString& name)
{
    for (int i = 0; i < tasks.TaskCount(kind); ++i)
        if (tasks.Task(kind, i).name == name)
            return i;
    return -1;
}

// One digest alone over the file in the module's 1024-byte reads, to show
// where the time of the combined MD2/MD4/MD5 task goes.
template <typename Digest>
bool DigestAlone(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    Digest digest;
    char block[1024];
    qint64 n = 0;
    while ((n = file.read(block, sizeof block)) > 0)
        digest.Update(reinterpret_cast<const CryptoPP::byte*>(block), size_t(n));
    CryptoPP::byte out[Digest::DIGESTSIZE];
    digest.Final(out);
    return true;
}

#ifdef VANTREL_BENCH_DIGESTS
// One digest of the digest module alone over the file, read in the module's
// 1 MiB blocks and hashed in turn on one thread, the way the reference tools
// work: the plain single-digest cost the multi-digest tasks are held to.
bool ModuleDigestAlone(const QString& path, std::unique_ptr<Digest> (*make)())
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const std::unique_ptr<Digest> digest = make();
    QByteArray block(1 << 20, Qt::Uninitialized);
    qint64 n = 0;
    while ((n = file.read(block.data(), block.size())) > 0)
        digest->Update(reinterpret_cast<const uint8_t*>(block.constData()), size_t(n));
    return n == 0 && !digest->Final().isEmpty();
}

// The same digest through the module's reading loop, which hashes on a
// worker thread while the next block is read.
bool ModuleDigestRun(const QString& path, std::unique_ptr<Digest> (*make)())
{
    DigestList digests;
    digests.push_back(make());
    uint64_t length = 0;
    return DigestFile(path, digests, length) == 0 && !digests.front()->Final().isEmpty();
}

// The single digests against their tools, then the four-digest task against
// the slowest of its digests alone.
void CompareDigests(TaskExtensions& tasks, const QString& input, const QString& output)
{
    struct Single {
        const char* label;
        std::unique_ptr<Digest> (*make)();
        const char* tool;
    };
    const Single singles[] = {
        {"SHA-256 digest alone vs sha256sum", digests::Sha256, "sha256sum"},
        {"SHA-512 digest alone vs sha512sum", digests::Sha512, "sha512sum"},
        {"BLAKE2b-512 digest alone vs b2sum", digests::Blake2b512, "b2sum"},
    };
    for (const Single& single : singles) {
        const Timing ours = BestTimes([&] { return ModuleDigestAlone(input, single.make); });
        const Timing tool = BestTimes([&] { return Shell(QStringLiteral("%1 '%2' > /dev/null").arg(single.tool, input)); });
        PrintTimes(single.label, ours, tool, 1.2);
        const Timing run = BestTimes([&] { return ModuleDigestRun(input, single.make); });
        std::printf("  %-42s %10.3f %10s %19s   cpu %.3f\n", "same through the module's reading loop", run.wall, "", "", run.cpu);
    }
    Timing slowest{0, 0};
    for (auto make : {digests::Sha224, digests::Sha256, digests::Sha384, digests::Sha512}) {
        const Timing alone = BestTimes([&] { return ModuleDigestAlone(input, make); });
        if (alone.wall > slowest.wall)
            slowest = alone;
    }
    const int index = FindTask(tasks, TASK_CHECKSUM, QStringLiteral("SHA-2 Checksums"));
    if (index < 0) {
        std::printf("SHA-2 Checksums task not found\n");
        return;
    }
    const Timing task = BestTimes([&] { return tasks.RunTask(TASK_CHECKSUM, index, input, output, nullptr); });
    PrintTimes("SHA-2 Checksums task vs slowest SHA-2 alone", task, slowest, 1.3);
    QFile::remove(output);
}
#endif

struct Comparison {
    const char* label;
    int kind;
    const char* task;
    QString input;
    QString reference;  // shell command; %1 input, %2 output
    double target;      // task time / reference time must stay at or below this
    QString referenceInput = {}; // the reference's own input, when not the task's
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString binDir = argc > 1 && argv[1][0] ? QString::fromLocal8Bit(argv[1])
                                                  : QCoreApplication::applicationDirPath() + "/../bin";
    // An optional second argument keeps only the comparisons whose label
    // contains it ("SHA", "Intel"), for measuring one module at a time.
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const auto wanted = [&only](const char* label) { return only.isEmpty() || QString::fromLatin1(label).contains(only); };
    TaskExtensions tasks(binDir);
    tasks.Load();
    if (tasks.ModuleCount() == 0) {
        std::fprintf(stderr, "no modules found in %s\n", qPrintable(binDir));
        return 1;
    }
    const qint64 size = qint64(256) << 20;
    const QString input = BenchFile(size, "256MiB");
    const QString output = input + ".out";
    const QString input64 = BenchFile(qint64(64) << 20, "64MiB");
    const QString hexDump = input + ".xxd-p";
    if (!QFile::exists(hexDump))
        Shell(QStringLiteral("xxd -p '%1' > '%2'").arg(input, hexDump));
    const QString base64Text = input + ".b64";
    if (!QFile::exists(base64Text))
        Shell(QStringLiteral("base64 '%1' > '%2'").arg(input, base64Text));
    // No uuencoder is installed here: the decoder reads our encoder's text
    // and is measured against base64 -d over the same data.
    const QString uuText = input + ".uu";
    const int uuEncode = FindTask(tasks, TASK_CONVERSION, QStringLiteral("UUEncode Data"));
    if (!QFile::exists(uuText) && uuEncode >= 0)
        tasks.RunTask(TASK_CONVERSION, uuEncode, input, uuText, nullptr);

    const Comparison comparisons[] = {
        {"MD Checksums task vs md5sum", TASK_CHECKSUM, "MD Checksums", input, "md5sum '%1' > '%2'", 1.3},
        {"SHA-1 Checksum task vs sha1sum", TASK_CHECKSUM, "SHA-1 Checksum", input, "sha1sum '%1' > '%2'", 1.3},
        {"CRC Checksum task vs gzip -1 (for scale)", TASK_CHECKSUM, "CRC Checksum", input, "gzip -1 -c '%1' > '%2'", 0},
        {"Base64 Encode Data vs base64", TASK_CONVERSION, "Base64 Encode Data", input, "base64 '%1' > '%2'", 1.2},
        {"Base64 Decode Data vs base64 -d", TASK_CONVERSION, "Base64 Decode Data", base64Text,
         "base64 -d '%1' > '%2'", 1.2},
        {"UUEncode Data vs base64", TASK_CONVERSION, "UUEncode Data", input, "base64 '%1' > '%2'", 1.2},
        {"UUDecode Data vs base64 -d", TASK_CONVERSION, "UUDecode Data", uuText, "base64 -d '%1' > '%2'", 1.2,
         base64Text},
        {"Text dump export vs xxd", TASK_EXPORT, "Text Files", input, "xxd '%1' > '%2'", 0.5},
        {"Hex import of xxd -p vs xxd -r -p", TASK_IMPORT, "Text Files", hexDump, "xxd -r -p '%1' > '%2'", 1.0},
        {"Intel HEX export (64 MiB) vs srec_cat", TASK_EXPORT, "Intel HEX Files", input64,
         "srec_cat '%1' -binary -o '%2' -Intel", 1.0},
    };
    std::printf("%-44s %10s %10s %8s %8s\n", "comparison (256 MiB input)", "task s", "tool s", "ratio", "target");
    for (const Comparison& c : comparisons) {
        if (!wanted(c.label))
            continue;
        const int index = FindTask(tasks, c.kind, QString::fromLatin1(c.task));
        if (index < 0) {
            std::printf("%-44s task \"%s\" not found\n", c.label, c.task);
            continue;
        }
        const double taskTime = BestOfThree([&] { return tasks.RunTask(c.kind, index, c.input, output, nullptr); });
        const QString referenceInput = c.referenceInput.isEmpty() ? c.input : c.referenceInput;
        const double toolTime = BestOfThree([&] { return Shell(c.reference.arg(referenceInput, output + ".ref")); });
        const double ratio = taskTime / toolTime;
        if (c.target > 0)
            std::printf("%-44s %10.3f %10.3f %8.2f %7s%.1f %s\n", c.label, taskTime, toolTime, ratio, "<=", c.target,
                        ratio <= c.target ? "met" : "MISSED");
        else
            std::printf("%-44s %10.3f %10.3f %8.2f\n", c.label, taskTime, toolTime, ratio);
        QFile::remove(output);
        QFile::remove(output + ".ref");
    }
#ifdef VANTREL_BENCH_DIGESTS
    if (wanted("SHA-256 SHA-512 BLAKE2b-512 SHA-2"))
        CompareDigests(tasks, input, output);
#endif
    if (!only.isEmpty())
        return 0;
    const double md5 = BestOfThree([&] { return DigestAlone<CryptoPP::Weak1::MD5>(input); });
    const double md2 = BestOfThree([&] { return DigestAlone<CryptoPP::Weak1::MD2>(input); });
    const double md5sum = BestOfThree([&] { return Shell(QStringLiteral("md5sum '%1' > /dev/null").arg(input)); });
    std::printf("%-44s %10.3f %10.3f %8.2f\n", "MD5 digest alone (module's reads) vs md5sum", md5, md5sum, md5 / md5sum);
    std::printf("%-44s %10.3f %10.3f %8.2f\n", "MD2 digest alone vs md5sum (for scale)", md2, md5sum, md2 / md5sum);
    return 0;
}

// Saving a 1 GiB file held as extents with one byte changed, against `cp`
// of the same file in the same run (best of three each). The unchanged
// stretches are copied by the kernel, so the save should cost about a copy.
#include "BenchFiles.h"

#include "core/BinEditDoc.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString original = BenchFile(int64_t(1) << 30, "1gib");
    const QString work = original + ".save-bench";
    const QString copy = original + ".cp-bench";

    const Timing cp = BestOfThreeRuns(
        [&] { return QProcess::execute("cp", {original, copy}) == 0; }, [&] { QFile::remove(copy); });
    // A save also flushes the new file to the disk before it takes the name.
    const Timing cpSync = BestOfThreeRuns(
        [&] { return QProcess::execute("cp", {original, copy}) == 0 && QProcess::execute("sync", {copy}) == 0; },
        [&] { QFile::remove(copy); });

    // Each run saves over a fresh copy of the file, made and flushed outside
    // the timing: the copy's own write-back would otherwise share the disk
    // with the save's flush.
    const auto freshCopy = [&] {
        QProcess::execute("cp", {original, work});
        QProcess::execute("sync", {work});
    };
    freshCopy();
    const Timing save = BestOfThreeRuns(
        [&] {
            // Opening is inside the timing; as an extent it reads nothing.
            CBinEditDoc doc;
            if (!doc.OnOpenDocument(work))
                return false;
            CBufferPos at;
            at.Bind(&doc.Buffer(), false, 123456789);
            const char byte = 'x';
            return doc.OverwriteAt(at, &byte, 1) && doc.OnSaveDocument(work);
        },
        freshCopy);
    std::printf("1 GiB, one byte changed: save %.0f ms (wall), cp %.0f ms (ratio %.2f), cp and sync of the copy "
                "%.0f ms (ratio %.2f)\n",
                save.wall * 1000, cp.wall * 1000, save.wall / cp.wall, cpSync.wall * 1000, save.wall / cpSync.wall);
    QFile::remove(work);
    return 0;
}

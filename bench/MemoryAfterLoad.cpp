// Resident memory after loading a 1 GiB file into the buffer, in a process
// of its own so nothing else the benchmarks did is counted.
#include "BenchFiles.h"

#include "core/FileBuffer.h"

#include <cstdio>

int main()
{
    const int64_t size = int64_t(1) << 30;
    const QString path = BenchFile(size);
    const int64_t before = ResidentBytes();
    CFileBuffer buffer;
    buffer.SetExtentThreshold(INT64_MAX);  // read wholly, as files below the threshold are
    if (!buffer.LoadFromFile(path))
        return 1;
    const int64_t after = ResidentBytes();
    const double mib = 1024.0 * 1024.0;
    const double limit = double(size) * 1.03 + 64 * mib;
    std::printf("file %.0f MiB, resident before %.1f MiB, after %.1f MiB (buffer %.1f MiB, %.4f x file); "
                "target at most %.1f MiB: %s\n",
                double(size) / mib, double(before) / mib, double(after) / mib, double(after - before) / mib,
                double(after - before) / double(size), limit / mib, double(after) <= limit ? "met" : "MISSED");
    buffer.Clear();
    std::printf("resident after closing: %.1f MiB\n", double(ResidentBytes()) / mib);

    // The same file opened as extents, the way files above the threshold open.
    CFileBuffer extents;
    const int64_t beforeExtents = ResidentBytes();
    if (!extents.LoadFromFile(path))
        return 1;
    std::printf("opened as extents: resident grew by %.2f MiB\n",
                double(ResidentBytes() - beforeExtents) / mib);
    return 0;
}

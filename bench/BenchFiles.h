#pragma once
// Large input files for the benchmarks, made once and kept in the page cache,
// and the run of a benchmark program.
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>

// A file of the given size with varied bytes in VANTREL_BENCH_DIR (default
// the temporary directory); made on first use and read once so it is cached.
QString BenchFile(int64_t size, const char* name = nullptr);
// The same file in dir, named and reused as BenchFile does; *created says
// whether this call wrote it (so a caller can remove what it made in memory).
QString BenchFileIn(const QString& dir, int64_t size, const char* name, bool* created = nullptr);
// Resident memory of this process in bytes.
int64_t ResidentBytes();

// Wall and processor seconds of one measured run.
struct Timing {
    double wall = 1e30;
    double cpu = 1e30;
};
// User and system time of this process's threads and of its waited-for children.
double CpuSeconds();
// The best wall and processor times of three runs of run, or {-1, -1} when a
// run fails. after runs after each run (cleaning up outside the timing); the
// runs stop early once one took longer than enoughSeconds.
Timing BestOfThreeRuns(const std::function<bool()>& run, const std::function<void()>& after = {},
                       double enoughSeconds = 1e30);

// Seconds since a moment, for benchmarks that time one part of an iteration.
double SecondsSince(std::chrono::steady_clock::time_point since);

// The main of a benchmark program with windows: a headless application (the
// offscreen platform unless QT_QPA_PLATFORM says otherwise) with a private
// settings folder, then every benchmark the command line selects.
// beforeExit runs while the application still exists, for fixtures that own
// widgets or timers.
int RunWidgetBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {});

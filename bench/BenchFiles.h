#pragma once
// Large input files for the benchmarks, made once and kept in the page cache.
#include <QString>
#include <cstdint>

// A file of the given size with varied bytes in VANTREL_BENCH_DIR (default
// the temporary directory); made on first use and read once so it is cached.
QString BenchFile(int64_t size, const char* name = nullptr);
// Resident memory of this process in bytes.
int64_t ResidentBytes();

#!/usr/bin/env python3
"""Compares two builds of bench_buffer (say, before and after a change to the
file buffer) in one session: loading 1 GiB, and one-byte inserts and deletes
on 1 GiB, typing at a caret, run alternately (old first, then new first) so that both see the
same machine load. Prints every run, then the best and the median of each
build and the ratio new/old.

    scripts/compare-buffer-bench.py OLD/bench_buffer NEW/bench_buffer [ROUNDS [CASE]]

CASE, a word of a case's name ("load", "edit", "typing"), runs only the cases it names.
Both binaries must be built from the same bench/BufferBench.cpp.
"""
import csv
import io
import os
import statistics
import subprocess
import sys

# name: (benchmark filter, {measure: column})
CASES = {
    "load 1 GiB": (r"BM_LoadIntoBuffer/1073741824/", {"wall ms": "real_time", "cpu ms": "cpu_time"}),
    "one-byte edits on 1 GiB": (r"BM_OneByteEdits/1024/", {
        "insert mean ns": "insert_mean_ns",
        "insert median ns": "insert_median_ns",
        "insert p90 ns": "insert_p90_ns",
        "delete mean ns": "delete_mean_ns",
        "delete median ns": "delete_median_ns",
        "delete p90 ns": "delete_p90_ns",
        "edit p99 ns": "edit_p99_ns",
        "page faults": "page_faults",
        "heap growth MiB": "heap_growth_MiB",
    }),
    "typing at the caret in 1 GiB": (r"BM_TypingAtCaret", {
        "insert mean ns": "insert_mean_ns",
        "insert median ns": "insert_median_ns",
        "delete mean ns": "delete_mean_ns",
        "delete median ns": "delete_median_ns",
    }),
}


def run(binary, pattern, columns):
    env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    out = subprocess.run([binary, "--benchmark_filter=" + pattern, "--benchmark_format=csv"],
                         capture_output=True, text=True, env=env, check=True).stdout
    rows = list(csv.DictReader(io.StringIO(out[out.index("name,"):])))
    if not rows:
        sys.exit(f"{binary}: no benchmark matches {pattern}")
    return {measure: float(rows[0].get(column) or "nan") for measure, column in columns.items()}


def ratio(new, old):
    return f"{new / old:.3f}" if old else "-"


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    builds = {"old": sys.argv[1], "new": sys.argv[2]}
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    only = sys.argv[4] if len(sys.argv) > 4 else ""
    for case, (pattern, columns) in CASES.items():
        if only not in case:
            continue
        results = {name: [] for name in builds}
        for r in range(rounds):
            for name in (["old", "new"] if r % 2 == 0 else ["new", "old"]):
                values = run(builds[name], pattern, columns)
                results[name].append(values)
                shown = ", ".join(f"{m} {v:.0f}" for m, v in values.items())
                print(f"{case}: round {r + 1} {name}: {shown}", flush=True)
        for measure in columns:
            best = {n: min(v[measure] for v in runs) for n, runs in results.items()}
            median = {n: statistics.median(v[measure] for v in runs) for n, runs in results.items()}
            print(f"{case}, {measure}: old best {best['old']:.0f} median {median['old']:.0f}; "
                  f"new best {best['new']:.0f} median {median['new']:.0f}; new/old best "
                  f"{ratio(best['new'], best['old'])} median {ratio(median['new'], median['old'])}")
        print(flush=True)


if __name__ == "__main__":
    main()

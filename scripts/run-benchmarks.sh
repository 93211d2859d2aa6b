#!/usr/bin/env bash
# Runs every benchmark built in the given build directory (default build-bench).
# Large input files go to VANTREL_BENCH_DIR (default /tmp) and are reused.
set -euo pipefail
build=${1:-build-bench}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for exe in "$build"/bench/bench_*; do
  [ -x "$exe" ] || continue
  echo "== $(basename "$exe")"
  "$exe"
done

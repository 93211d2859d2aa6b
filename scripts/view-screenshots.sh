#!/usr/bin/env bash
# Renders the hex view of a real file to PNG files in several settings
# (default, decimal offsets, group by 4, ASCII only, selections, marks, size
# bar, a dark palette), headless on the offscreen platform.
#   scripts/view-screenshots.sh [FILE] [OUTDIR] [BUILDDIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
file=${1:-/bin/ls}
out=${2:-$root/build/screenshots/view}
build=${3:-$root/build}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target view_screenshots
export QT_QPA_PLATFORM=offscreen
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export VANTREL_CONFIG_DIR=$tmp
"$build/tests/view_screenshots" "$file" "$out"

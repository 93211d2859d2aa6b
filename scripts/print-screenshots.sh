#!/usr/bin/env bash
# Renders the print preview of a real file (first page, a selection, black
# and white) to PNG files and prints the file to a PDF, whose first page is
# turned into a PNG with pdftoppm, all headless.
#   scripts/print-screenshots.sh [FILE] [OUTDIR] [BUILDDIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
file=${1:-/bin/ls}
out=${2:-$root/build/screenshots/print}
build=${3:-$root/build}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target print_screenshots
export QT_QPA_PLATFORM=offscreen
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export VANTREL_CONFIG_DIR=$tmp
"$build/tests/print_screenshots" "$file" "$out"
pdftoppm -png -r 60 -f 1 -l 1 "$out/printed.pdf" "$out/printed-page"

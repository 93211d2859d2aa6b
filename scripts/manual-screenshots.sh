#!/usr/bin/env bash
# Builds the user manual and photographs a few of its pages with headless
# Chromium, as a reader's browser shows them (install Chromium with
# scripts/install-deps.sh --docs; it is needed for nothing else).
#   scripts/manual-screenshots.sh [OUTDIR] [BUILDDIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${2:-$root/build}")
out=$(realpath -m "${1:-$build/manual-shots}")
browser=$(command -v chromium || true)
if [ -z "$browser" ]; then
  echo "Chromium is not installed: run scripts/install-deps.sh --docs first." >&2
  exit 1
fi
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target vantrel_manual
mkdir -p "$out"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# A private profile, no network and no sandbox (which needs a user namespace
# that containers and root sessions often lack).
for page in "$build"/bin/manual/*.html; do
  name=$(basename "$page" .html)
  "$browser" --headless --no-sandbox --disable-gpu --user-data-dir="$profile" \
    --hide-scrollbars --window-size=1024,1400 --screenshot="$out/$name.png" "file://$page" 2>"$profile/log" ||
    { cat "$profile/log" >&2; exit 1; }
  [ -s "$out/$name.png" ] || { echo "no screenshot of $page" >&2; cat "$profile/log" >&2; exit 1; }
  echo "wrote $out/$name.png"
done

#!/usr/bin/env bash
# Screenshots of the main window with a real file, to look at.
#   scripts/screenshots.sh [BUILD_DIR] [OUTPUT_DIR] [FILE]
# 1. The real program under Xvfb (a real X server, no window manager), the
#    whole screen grabbed with ImageMagick's "import": xvfb-default.png.
# 2. The screenshot driver, which runs the same application object and sets
#    up what needs input (a selection, a dark palette, other layouts).
# Settings go to a private folder, never to the user's.
set -euo pipefail
build=${1:-build}
out=${2:-screenshots}
file=${3:-}
mkdir -p "$out"
out=$(cd "$out" && pwd)

cmake --build "$build" -j2 --target vantrel vantrel_screenshots >/dev/null

if [ -z "$file" ]; then
  # A file with text and binary parts: the program itself.
  file=$(mktemp /tmp/vantrel-shot-XXXXXX.bin)
  head -c 65536 "$build/bin/vantrel" > "$file"
  trap 'rm -f "$file"' EXIT
fi

config=$(mktemp -d /tmp/vantrel-shot-config-XXXXXX)
export VANTREL_CONFIG_DIR=$config

if command -v xvfb-run >/dev/null && command -v import >/dev/null; then
  cat > "$config/shoot.sh" <<SCRIPT
"$build/bin/vantrel" "$file" &
pid=\$!
sleep 3
import -window root "$out/xvfb-default.png"
kill \$pid
wait \$pid 2>/dev/null || true
SCRIPT
  xvfb-run -a -s "-screen 0 1280x800x24" bash "$config/shoot.sh"
  echo "wrote $out/xvfb-default.png"
else
  echo "xvfb-run or ImageMagick's import is missing: skipping the Xvfb screenshot" >&2
fi

if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x800x24" "$build/tests/vantrel_screenshots" "$out" "$file"
else
  QT_QPA_PLATFORM=offscreen "$build/tests/vantrel_screenshots" "$out" "$file"
fi
rm -rf "$config"

#!/usr/bin/env bash
# Installs the build into a temporary root (DESTDIR), checks what a desktop
# installation needs, starts the installed program, then does the same with
# the Debian package unpacked by dpkg-deb.
#   InstallTest.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect_file() { [ -e "$1" ] || fail "missing $1"; }

# The program as installed under ROOT/usr: its files, the desktop data, and a
# real start that opens a file and ends with status 0 on SIGTERM.
check_installation() {
  local root=$1 label=$2
  local usr=$root/usr
  [ -L "$usr/bin/vantrel" ] || fail "$label: bin/vantrel is not a link"
  [ -L "$usr/bin/vantrel-cli" ] || fail "$label: bin/vantrel-cli is not a link"
  for f in vantrel vantrel-cli libvantrel_platform.so Checksum.vtx Convert.vtx Typext.vtt Export.vtx Import.vtx; do
    expect_file "$usr/lib/vantrel/$f"
  done
  expect_file "$usr/share/applications/com.kestrane.Vantrel.desktop"
  expect_file "$usr/share/metainfo/com.kestrane.Vantrel.metainfo.xml"
  expect_file "$usr/share/icons/hicolor/scalable/apps/com.kestrane.Vantrel.svg"
  for size in 16 32 48 256; do
    expect_file "$usr/share/icons/hicolor/${size}x${size}/apps/com.kestrane.Vantrel.png"
  done
  expect_file "$usr/share/doc/vantrel/manual/index.html"
  expect_file "$usr/share/doc/vantrel/manual/command-line.html"
  # Every page is HTML through and through (no Markdown table left as text)
  # and every link between pages reaches an installed page.
  local page target
  for page in "$usr"/share/doc/vantrel/manual/*.html; do
    grep -q '|---' "$page" && fail "$label: $(basename "$page") shows Markdown table text"
    for target in $(grep -o 'href="[^":#]*\.html' "$page" | sed 's/^href="//'); do
      [ -f "$(dirname "$page")/$target" ] || fail "$label: $(basename "$page") links to a missing $target"
    done
  done
  local man=$(ls "$usr"/share/man/man1/vantrel.1* 2>/dev/null | head -1)
  [ -n "$man" ] || fail "$label: no man page"
  local climan=$(ls "$usr"/share/man/man1/vantrel-cli.1* 2>/dev/null | head -1)
  [ -n "$climan" ] || fail "$label: no vantrel-cli man page"

  desktop-file-validate "$usr/share/applications/com.kestrane.Vantrel.desktop" | grep -v '^.*: hint:' \
    && fail "$label: desktop-file-validate complained" || true
  appstreamcli validate --no-net "$usr/share/metainfo/com.kestrane.Vantrel.metainfo.xml" >/dev/null \
    || fail "$label: appstreamcli validate failed"
  if [ -n "$man" ]; then
    local warnings
    warnings=$(MANWIDTH=80 man --warnings -l "$man" 2>&1 >/dev/null || true)
    [ -z "$warnings" ] || fail "$label: man page warnings: $warnings"
  fi
  if [ -n "$climan" ]; then
    warnings=$(MANWIDTH=80 man --warnings -l "$climan" 2>&1 >/dev/null || true)
    [ -z "$warnings" ] || fail "$label: vantrel-cli man page warnings: $warnings"
  fi

  # The command line finds the installed modules through its link, with no display.
  local digest sample=$work/cli-sample-$label.bin
  printf 'abc' > "$sample"
  digest=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM VANTREL_CONFIG_DIR=$work/cli-config \
    "$usr/bin/vantrel-cli" sum SHA-256 "$sample" 2>&1 || true)
  [ "$digest" = "SHA-256  $(sha256sum "$sample" | cut -c1-64 | tr a-f A-F)  $sample" ] \
    || fail "$label: vantrel-cli sum gave: $digest"

  local version
  version=$(QT_QPA_PLATFORM=offscreen "$usr/bin/vantrel" --version) || fail "$label: --version failed"
  for m in Checksum.vtx Convert.vtx Typext.vtt Export.vtx Import.vtx; do
    grep -q "  $m  " <<<"$version" || fail "$label: --version does not list $m"
  done
  grep -q "Modules in $usr/lib/vantrel:" <<<"$version" \
    || fail "$label: modules not searched next to the real program: $(head -2 <<<"$version")"

  local config=$work/config-$label data=$work/data-$label.bin
  mkdir -p "$config"
  head -c 4096 /dev/urandom > "$data"
  VANTREL_CONFIG_DIR=$config QT_QPA_PLATFORM=offscreen "$usr/bin/vantrel" "$data" &
  local pid=$!
  # The data-type modules load while the settings are read at start-up.
  for _ in $(seq 1 300); do
    grep -q 'Typext.vtt' "/proc/$pid/maps" 2>/dev/null && break
    sleep 0.1
  done
  grep -q "$usr/lib/vantrel/Typext.vtt" "/proc/$pid/maps" || fail "$label: the installed modules were not loaded"
  sleep 1
  kill -TERM "$pid"
  local status=0
  for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fail "$label: did not end after SIGTERM"; fi
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "$label: exit status $status"
  grep -q "$(basename "$data")" "$config/Kestrane/Vantrel.ini" 2>/dev/null \
    || fail "$label: the file was not opened (not in the recent files)"
}

DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
check_installation "$work/root" destdir

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/vantrel_*_amd64.deb 2>/dev/null | head -1)
if [ -z "$deb" ]; then
  fail "no vantrel_<version>_amd64.deb was written"
else
  depends=$(dpkg-deb -f "$deb" Depends)
  grep -q 'libqt6widgets6' <<<"$depends" || fail "package dependencies lack Qt: $depends"
  dpkg-deb -x "$deb" "$work/deb"
  check_installation "$work/deb" deb
fi

if [ "$failures" -eq 0 ]; then echo "installation checks passed"; fi
exit $((failures > 0))

#!/usr/bin/env bash
# Installs the Debian packages Vantrel needs to build, test and benchmark.
# Only missing packages are installed; this list is the one place they are named.
# Usage: scripts/install-deps.sh [--docs]
set -euo pipefail

PACKAGES=(
  g++ cmake make pkg-config
  qt6-base-dev             # Qt Core, Gui, Widgets, PrintSupport, Network, Test
  libcrypto++-dev          # digests and CRC-32 of the checksum module
  libgtest-dev libgmock-dev # logic tests
  libbenchmark-dev         # benchmarks (bench/)
  xvfb xauth               # screenshots of the real window (scripts/)
  ccache                   # faster rebuilds of unchanged sources
  coreutils gzip xxd       # reference tools used by the tests
  cmark-gfm                # the user manual, Markdown with tables to HTML (manual/)
  librsvg2-bin             # the icon sizes, rendered from the SVG (packaging/)
  desktop-file-utils       # desktop-file-validate, in the installation tests
  appstream                # appstreamcli validate, in the installation tests
  dpkg-dev man-db          # the package's dependencies (dpkg-shlibdeps); man -l in the tests
  libboost-dev             # Boost.CRC (header only): CRC variants of the digest module
  libssl-dev               # OpenSSL libcrypto: BLAKE2 digests of the digest module (twice as fast as Crypto++ here)
  srecord                  # srec_cat: reference for the Intel HEX and S-record tests
  poppler-utils            # pdftotext: printed pages read back as text in the tests
)

# Optional: only with --docs (for `make manual-screenshots`). Large, so never
# needed by `make test` or the builds.
if [ "${1:-}" = "--docs" ]; then
  PACKAGES+=(
    chromium               # headless screenshots of the user manual
  )
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

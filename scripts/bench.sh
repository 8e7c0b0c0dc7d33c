#!/usr/bin/env bash
# Builds the library for Windows and runs every benchmark program under Wine.
# Each program prints its own figures: times, and ratios against a baseline
# measured in the same run. Pass names (e.g. readtext_bench) to run only those.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

kvvx_install_packages
trap kvvx_stop_all EXIT
kvvx_configure_windows
cmake --build "$KVVX_BUILD/win" -j "$(nproc)"
kvvx_start_cups
kvvx_start_display
kvvx_prepare_prefix
kvvx_start_wineserver

cd "$KVVX_BUILD/win/bin"
if [ $# -gt 0 ]; then
  programs=("$@")
else
  programs=()
  for f in *_bench.exe; do [ -e "$f" ] && programs+=("${f%.exe}"); done
fi
for p in "${programs[@]}"; do
  log "$p"
  wine "./${p%.exe}.exe"
done

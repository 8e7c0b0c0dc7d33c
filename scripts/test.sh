#!/usr/bin/env bash
# The test command: installs what is missing, builds the library for Windows
# twice (MinGW-w64 GCC, and clang with lld as a second compiler that checks
# the code with its own warnings) and the portable core natively with
# sanitizers, and runs every test: the Windows programs of both builds under
# Wine on an Xvfb display (the clang build without the long leak cycles),
# the native ones directly, then every fuzz target for a short while. Exits
# non-zero when anything fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

kvvx_install_packages
trap kvvx_stop_all EXIT

jobs=$(nproc)
log "building for Windows"
kvvx_configure_windows
cmake --build "$KVVX_BUILD/win" -j "$jobs"

log "building the portable core natively (AddressSanitizer, UBSan)"
cmake -S "$KVVX_ROOT" -B "$KVVX_BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKVVX_SANITIZE=ON >/dev/null
cmake --build "$KVVX_BUILD/native" -j "$jobs"

log "building for Windows with clang (second compiler)"
kvvx_configure_windows_clang
cmake --build "$KVVX_BUILD/clang" -j "$jobs"

kvvx_start_cups
kvvx_start_display
kvvx_prepare_prefix
kvvx_start_wineserver

status=0
log "native tests"
ctest --test-dir "$KVVX_BUILD/native" --output-on-failure || status=1
log "Windows tests under Wine"
ctest --test-dir "$KVVX_BUILD/win" --output-on-failure || status=1
# The clang build's programs catch what depends on the compiler (evaluation
# order, layout, DLL linkage); the leak cycles (minutes) count handles the
# library makes whatever compiled it, so the GCC run of them suffices.
log "Windows tests of the clang build under Wine"
ctest --test-dir "$KVVX_BUILD/clang" --output-on-failure -E '^leak_tests$' || status=1
log "fuzzing every reader briefly"
"$KVVX_ROOT/scripts/fuzz.sh" --each "${KVVX_FUZZ_SECONDS:-10}" || status=1
exit $status

# Shared set-up for the scripts in this folder (sourced, not run).
# It installs what a fresh Debian machine lacks, prepares a Wine prefix inside
# the build tree, and starts and stops Xvfb and a persistent wineserver.

KVVX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KVVX_BUILD=${KVVX_BUILD:-$KVVX_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$KVVX_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
KVVX_PACKAGES="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth
  cmake ninja-build googletest g++ clang libclang-rt-14-dev fonts-wine fonts-liberation
  x11-apps imagemagick x11-utils xclip"

log() { printf '== %s\n' "$*"; }

kvvx_install_packages() {
  local missing=() p
  for p in $KVVX_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

# Starts Xvfb on the first free display number from 90 on.
kvvx_start_display() {
  local n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  KVVX_XVFB_PID=$!
  export DISPLAY=:$n
  local i
  for i in $(seq 1 50); do
    [ -e /tmp/.X11-unix/X$n ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# A persistent wineserver, then one throw-away program so Wine's own services
# (explorer.exe for the desktop among them) start now with their output on
# /dev/null; started by a test they would inherit ctest's pipe and hold it open.
kvvx_start_wineserver() {
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

kvvx_stop_all() {
  wineserver -k >/dev/null 2>&1 </dev/null || true
  wineserver -w >/dev/null 2>&1 </dev/null || true
  if [ -n "${KVVX_XVFB_PID:-}" ]; then
    kill "$KVVX_XVFB_PID" 2>/dev/null || true
    wait "$KVVX_XVFB_PID" 2>/dev/null || true
    KVVX_XVFB_PID=
  fi
}

# Creates the Wine prefix once: Windows fonts where GDI finds them, and
# Liberation faces standing in for Arial and Times New Roman.
kvvx_prepare_prefix() {
  local marker=$WINEPREFIX/.kvvx-ready
  [ -f "$marker" ] && return 0
  log "preparing Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 </dev/null || true
  wineserver -w >/dev/null 2>&1 </dev/null || true
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  cp -f /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
  local key='HKCU\Software\Wine\Fonts\Replacements' face
  for face in "Arial:Liberation Sans" "Times New Roman:Liberation Serif" "Courier New:Liberation Mono"; do
    wine reg add "$key" /v "${face%%:*}" /t REG_SZ /d "${face#*:}" /f >/dev/null 2>&1 </dev/null
  done
  wineserver -k >/dev/null 2>&1 </dev/null || true
  wineserver -w >/dev/null 2>&1 </dev/null || true
  touch "$marker"
}

kvvx_configure_windows() {
  cmake -S "$KVVX_ROOT" -B "$KVVX_BUILD/win" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$KVVX_ROOT/cmake/toolchain-mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=${KVVX_BUILD_TYPE:-Release} >/dev/null
}

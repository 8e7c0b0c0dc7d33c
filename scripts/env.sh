# Shared set-up for the scripts in this folder (sourced, not run).
# It installs what a fresh Debian machine lacks, prepares a Wine prefix inside
# the build tree, and starts and stops Xvfb and a persistent wineserver.

KVVX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KVVX_BUILD=${KVVX_BUILD:-$KVVX_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$KVVX_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
KVVX_PACKAGES="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth
  cmake ninja-build googletest g++ clang lld libclang-rt-14-dev fonts-wine fonts-liberation
  x11-apps imagemagick x11-utils xclip
  cups printer-driver-cups-pdf poppler-utils"

log() { printf '== %s\n' "$*"; }

# ccache, when installed, serves every build tree (and every checkout below
# the same parent folder); the builds work the same without it.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$KVVX_ROOT")}
fi

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
  kvvx_stop_cups
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

kvvx_configure_windows_clang() {
  cmake -S "$KVVX_ROOT" -B "$KVVX_BUILD/clang" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$KVVX_ROOT/cmake/toolchain-clang-mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=${KVVX_BUILD_TYPE:-Release} >/dev/null
}

kvvx_configure_windows() {
  cmake -S "$KVVX_ROOT" -B "$KVVX_BUILD/win" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$KVVX_ROOT/cmake/toolchain-mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=${KVVX_BUILD_TYPE:-Release} >/dev/null
}

# A private CUPS server with one PDF printer, the default printer of this
# server only: its configuration, spool, logs and socket live in
# $KVVX_BUILD/cups, Wine's processes reach it through CUPS_SERVER, and the
# PDFs it prints land in $KVVX_PDF_DIR. The cups-pdf backend reads its
# settings from /etc/cups only, so the queue's output folder is set in a
# file of its own there (named after this build tree), removed again by
# kvvx_stop_cups. Without CUPS, KVVX_PDF_DIR stays unset and the tests that
# need a printer say so and skip.
kvvx_start_cups() {
  local dir=$KVVX_BUILD/cups
  if ! command -v cupsd >/dev/null || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
    log "CUPS or its PDF printer is not installed: printing tests will skip"
    return 0
  fi
  rm -rf "$dir"
  mkdir -p "$dir/conf" "$dir/spool" "$dir/cache" "$dir/state" "$dir/log" "$dir/tmp" "$dir/pdf"
  chmod 700 "$dir/spool"
  printf '%s\n' "Listen $dir/cups.sock" "LogLevel warn" "WebInterface No" "Browsing Off" \
    "DefaultAuthType None" "<Location />" "  Order allow,deny" "  Allow all" "</Location>" \
    >"$dir/conf/cupsd.conf"
  printf '%s\n' "ServerRoot $dir/conf" "RequestRoot $dir/spool" "CacheDir $dir/cache" \
    "StateDir $dir/state" "TempDir $dir/tmp" "AccessLog $dir/log/access_log" \
    "ErrorLog $dir/log/error_log" "PageLog $dir/log/page_log" "Printcap $dir/printcap" \
    >"$dir/conf/cups-files.conf"
  KVVX_CUPS_QUEUE=kvvx-$(printf '%s' "$KVVX_BUILD" | md5sum | cut -c1-10)
  if ! printf 'Out %s\n' "$dir/pdf" >"/etc/cups/cups-pdf-$KVVX_CUPS_QUEUE.conf" 2>/dev/null; then
    log "cannot set the PDF printer's output folder (/etc/cups not writable): printing tests will skip"
    KVVX_CUPS_QUEUE=
    return 0
  fi
  cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 </dev/null &
  KVVX_CUPSD_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -S "$dir/cups.sock" ] && break
    sleep 0.1
  done
  export CUPS_SERVER=$dir/cups.sock
  if lpadmin -p PDF -v "cups-pdf:/$KVVX_CUPS_QUEUE" -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
      >/dev/null 2>&1 && lpadmin -d PDF >/dev/null 2>&1; then
    export KVVX_PDF_DIR=$dir/pdf
    log "CUPS with a PDF printer on $CUPS_SERVER (PDFs in $KVVX_PDF_DIR)"
  else
    log "CUPS did not take the PDF printer (see $dir/log): printing tests will skip"
    kvvx_stop_cups
  fi
}

kvvx_stop_cups() {
  if [ -n "${KVVX_CUPSD_PID:-}" ]; then
    kill "$KVVX_CUPSD_PID" 2>/dev/null || true
    wait "$KVVX_CUPSD_PID" 2>/dev/null || true
    KVVX_CUPSD_PID=
  fi
  if [ -n "${KVVX_CUPS_QUEUE:-}" ]; then
    rm -f "/etc/cups/cups-pdf-$KVVX_CUPS_QUEUE.conf"
    KVVX_CUPS_QUEUE=
  fi
  unset KVVX_PDF_DIR
}

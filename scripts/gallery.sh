#!/usr/bin/env bash
# Builds the gallery (kvVXGallery.exe) and opens it on the current display.
# Without a display ($DISPLAY unset) it starts Xvfb, renders the window into
# docs/gallery.png (and the Windows page into docs/gallery-windows.png), prints
# the grid it shows to a private CUPS PDF printer, renders the printed page 1
# into docs/gallery-printed.png and says where the pictures are.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

kvvx_install_packages
log "building the gallery"
kvvx_configure_windows
cmake --build "$KVVX_BUILD/win" -j "$(nproc)" --target kvVXGallery

exe="$KVVX_BUILD/win/bin/kvVXGallery.exe"
if [ -n "${DISPLAY:-}" ]; then
  kvvx_prepare_prefix
  kvvx_start_wineserver
  log "opening the gallery on $DISPLAY"
  wine "$exe"
else
  trap kvvx_stop_all EXIT
  kvvx_start_cups
  kvvx_start_display
  kvvx_prepare_prefix
  kvvx_start_wineserver
  out="$KVVX_ROOT/docs/gallery.png"
  mkdir -p "$(dirname "$out")"
  winout=$(winepath -w "$out" 2>/dev/null)
  log "rendering the gallery without a display"
  wine "$exe" --screenshot "$winout" --print </dev/null
  if [ -s "$out" ]; then
    log "screenshot written to $out"
  else
    echo "no screenshot was written" >&2
    exit 1
  fi
  for scene in tip combo; do
    out="$KVVX_ROOT/docs/gallery-$scene.png"
    wine "$exe" --screenshot "$(winepath -w "$out" 2>/dev/null)" --scene $scene </dev/null
    [ -s "$out" ] && log "screenshot written to $out"
  done
  out="$KVVX_ROOT/docs/gallery-lists.png"
  wine "$exe" --screenshot-lists "$(winepath -w "$out" 2>/dev/null)" </dev/null
  [ -s "$out" ] && log "screenshot written to $out"
  out="$KVVX_ROOT/docs/gallery-windows.png"
  wine "$exe" --screenshot-windows "$(winepath -w "$out" 2>/dev/null)" </dev/null
  [ -s "$out" ] || { echo "no screenshot of the Windows page was written" >&2; exit 1; }
  log "screenshot written to $out"
  # The grid as printed: page 1 of the PDF the screenshot run printed.
  if [ -n "${KVVX_PDF_DIR:-}" ]; then
    pdf=
    for i in $(seq 1 100); do
      pdf=$(ls -t "$KVVX_PDF_DIR"/*.pdf 2>/dev/null | head -1 || true)
      [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break
      pdf=
      sleep 0.3
    done
    if [ -n "$pdf" ]; then
      pdftoppm -png -r 72 -f 1 -l 1 -singlefile "$pdf" "$KVVX_ROOT/docs/gallery-printed"
      log "printed page written to $KVVX_ROOT/docs/gallery-printed.png"
    else
      echo "the gallery printed no PDF" >&2
      exit 1
    fi
  fi
fi

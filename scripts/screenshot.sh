#!/usr/bin/env bash
# Starts the Windows program under Wine on a virtual X display of its own,
# waits for it to settle, saves a picture of the whole screen, then ends the
# program and the display.
#
#   scripts/screenshot.sh OUT.png [BUILD_DIR] [SECONDS]
#
# BUILD_DIR defaults to build/win32 (the win32 preset), SECONDS (the wait
# before the picture) to 8. The Wine prefix is BUILD_DIR/wineprefix unless
# WINEPREFIX says otherwise. DPI=120, 144 or 192 shows the program at 125%,
# 150% or 200% (Wine's LogPixels, put back afterwards), on a screen as much
# larger.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:?usage: scripts/screenshot.sh OUT.png [BUILD_DIR] [SECONDS]}
build=${2:-$here/build/win32}
build=$(cd "$build" && pwd)
wait_seconds=${3:-8}
program="$build/bin/Oxbrim Tessel IncrediMail.exe"
[ -f "$program" ] || { echo "screenshot: no program at $program (build the win32 preset first)" >&2; exit 1; }
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac

export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

dpi=${DPI:-96}
SCREEN_SIZE="$((1024 * dpi / 96))x$((768 * dpi / 96))"
. "$here/scripts/wine-prefix.sh"
start_own_display
wine_pid=""
desktop='HKCU\Control Panel\Desktop'
set_dpi() { wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
cleanup() {
  [ -n "$wine_pid" ] && kill "$wine_pid" 2>/dev/null || true
  [ "$dpi" = 96 ] || set_dpi 96
  kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
prepare_wine_prefix
[ "$dpi" = 96 ] || set_dpi "$dpi"

# The program looks for its help file in the folder current at start.
log="${TESSEL_SCREENSHOT_LOG:-/dev/null}"
(cd "$(dirname "$program")" && exec wine "$program") >"$log" 2>&1 &
wine_pid=$!
sleep "$wait_seconds"
import -window root "$out"
echo "screenshot: $out"

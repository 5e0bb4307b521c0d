#!/usr/bin/env bash
# Pictures of the wizard in each of its states, taken from the real program
# under Wine on a display of its own: the choose step, a scan under way, the
# stop question, the results, the folder picker, "Saving Mails...", the notice
# after a save, the list sorted and searched, the preview menu, the message
# view, the prefix dialog, the deep scan, the sample address book's contacts,
# and the sample's folder moved (its end's notice, then the step).
# bench/win32/wizard_shots walks the program through them and takes each
# picture of the screen; they are kept as PNG files.
#
#   scripts/wizard-screenshots.sh [OUT_DIR]      (default build/win32/shots)
#
# DPI=120, 144 or 192 takes them at 125%, 150% or 200% (Wine's LogPixels, put
# back afterwards), on a screen as much larger.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
out=${1:-build/win32/shots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

cmake --preset win32 >/dev/null && cmake --build --preset win32 --target tessel_program wizard_shots -j2 >/dev/null
data=build/win32/shots-data
[ -f "$data/Small.imh" ] || python3 bench/make_small_store.py "$data" 400000
save="$data/saved"
rm -rf "$save" && mkdir -p "$save"
moved="$data/moved"
rm -rf "$moved" && mkdir -p "$moved"

export WINEPREFIX="${WINEPREFIX:-$here/build/win32/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
dpi=${DPI:-96}
SCREEN_SIZE="$((1024 * dpi / 96))x$((768 * dpi / 96))"
. scripts/wine-prefix.sh
start_own_display
desktop='HKCU\Control Panel\Desktop'
set_dpi() { wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
trap '[ "$dpi" = 96 ] || set_dpi 96; kill "$xvfb_pid" 2>/dev/null || true' EXIT
prepare_wine_prefix
[ "$dpi" = 96 ] || set_dpi "$dpi"

to_wine() { echo "Z:${1//\//\\}"; }
wine build/win32/bin/wizard_shots.exe "$(to_wine "$here/build/win32/bin/Oxbrim Tessel IncrediMail.exe")" \
  "$(to_wine "$here/$data/Small.imh")" "$(to_wine "$here/samples/Inbox.imh")" "$(to_wine "$here/$save")" \
  "$(to_wine "$out")" "$(to_wine "$here/samples/Contacts.imb")" "$(to_wine "$here/$moved")" >/dev/null 2>&1 || true
for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || { echo "wizard-screenshots: no pictures taken"; exit 1; }
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  echo "screenshot: ${bmp%.bmp}.png"
done

#!/usr/bin/env bash
# Runs a Windows program under Wine in a virtual X display, with a Wine prefix
# inside the build tree. Used by CTest for the Windows tests and by the scripts.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/build/win32/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
. "$here/scripts/wine-prefix.sh"
if [ ! -f "$WINEPREFIX/.tessel-ready" ]; then
  # Two tests may start together on a new prefix: let one prepare it.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  xvfb-run -a sh -c ". '$here/scripts/wine-prefix.sh'; prepare_wine_prefix"
  flock -u 9
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$@"

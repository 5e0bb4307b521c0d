#!/usr/bin/env bash
# Runs a Windows program under Wine in a virtual X display, with a Wine prefix
# inside the build tree. Used by CTest for the Windows tests and by the scripts.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/build/win32/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # The first start creates the prefix (about half a minute).
  xvfb-run -a wineboot -i >/dev/null 2>&1 || true
fi
if [ -n "${DISPLAY:-}" ] && [ "${TESSEL_OWN_DISPLAY:-}" = 1 ]; then
  exec wine "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$@"

# Sourced by the Wine scripts: prepares the Wine prefix named by WINEPREFIX.
# Expects a DISPLAY when the prefix has to be created.

prepare_wine_prefix() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true   # first start: about half a minute
  fi
  [ -f "$WINEPREFIX/.tessel-ready" ] && return 0
  # Wine's own fonts (package fonts-wine), so that "MS Sans Serif" has the
  # metrics the dialog templates and pictures are laid out for. This Wine build
  # does not find them on its own.
  if [ -d /usr/share/wine/fonts ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
    for font in /usr/share/wine/fonts/*; do
      [ -e "$WINEPREFIX/drive_c/windows/Fonts/$(basename "$font")" ] || ln -s "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
  fi
  # No window manager runs on the virtual display: Wine draws frames and
  # captions itself, and does not wait for a manager when a window goes away.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
  touch "$WINEPREFIX/.tessel-ready"
}

# Starts Xvfb on a free display of its own (SCREEN_SIZE pixels, 1024x768
# unless set) and exports DISPLAY; the caller ends it through xvfb_pid.
start_own_display() {
  local display=90
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 "${SCREEN_SIZE:-1024x768}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
}

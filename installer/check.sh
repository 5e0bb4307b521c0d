#!/usr/bin/env bash
# Tries the release as a Windows user gets it, under Wine in a fresh prefix:
# installs the setup program silently, checks the files, the shortcuts and the
# entry in the installed programs, starts the program through its shortcut and
# sees its window, uninstalls silently and checks that nothing is left; then
# unzips the portable zip and starts the program from there.
#
#   installer/check.sh SETUP.exe PORTABLE.zip VERSION PROBE.exe
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
setup=$(realpath "$1"); zipfile=$(realpath "$2"); version=$3; probe=$(realpath "$4")
product="Oxbrim Tessel IncrediMail"
key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
files=("$product.exe" "$product.chm" tessel.exe README.txt)

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=""; xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

# A display of our own for the whole check.
display=95
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
. "$root/scripts/wine-prefix.sh"
prepare_wine_prefix

winvar() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
unixpath() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
# Everything under the user's folders and the program folders, but the
# temporary files.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find users "Program Files" -path '*/Temp' -prune -o -print | sort)
}
wait_wine() { timeout 60 wineserver -w || { wineserver -k; fail "$1 did not end"; }; }

# The program's window, owned by the program at the given Windows path.
sees_window() {
  local expected=$1 what=$2 shown
  shown=$(wine "$probe" window "$product" 60 | tr -d '\r')
  if [ "$shown" = "window: $expected" ]; then ok "$what: the window opens ($expected)"
  else fail "$what: window of the program '$expected' expected, saw '${shown:-nothing}'"; fi
  wait_wine "$what"
}

before=$(snapshot)
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is there before installing"

# --- The setup program, silently.
wine "$setup" /S; status=$?
wait_wine "the setup program"
[ $status -eq 0 ] && ok "setup /S exits 0" || fail "setup /S exits $status"

localappdata=$(winvar LOCALAPPDATA); appdata=$(winvar APPDATA)
instdir_win="$localappdata\\Programs\\$product"
instdir=$(unixpath "$instdir_win")
menu=$(unixpath "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\$product")
for file in "${files[@]}" Uninstall.exe; do
  [ -f "$instdir/$file" ] && ok "installed: $file" || fail "not installed: $instdir/$file"
done
[ "$(ls "$instdir" | wc -l)" -eq 5 ] || fail "the install folder holds more than was installed: $(ls "$instdir" | tr '\n' ' ')"

# The shortcuts point at the installed program and help.
for link in "$product.lnk:$product.exe" "$product Help.lnk:$product.chm"; do
  lnk=${link%%:*}; target=${link#*:}
  if [ ! -f "$menu/$lnk" ]; then fail "no Start menu shortcut $lnk"; continue; fi
  if strings -a "$menu/$lnk" | grep -qiF "Programs\\$product\\$target" || strings -a -el "$menu/$lnk" | grep -qiF "Programs\\$product\\$target"; then
    ok "shortcut $lnk -> $target"
  else fail "shortcut $lnk does not point at the installed $target"; fi
done

# The entry in the user's installed programs.
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
value() { printf '%s\n' "$entry" | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
[ "$(value DisplayName)" = "$product" ] && ok "uninstall entry: DisplayName" || fail "uninstall entry DisplayName: '$(value DisplayName)'"
[ "$(value DisplayVersion)" = "$version" ] && ok "uninstall entry: DisplayVersion $version" || fail "uninstall entry DisplayVersion: '$(value DisplayVersion)'"
[ "$(value Publisher)" = "Oxbrim" ] || fail "uninstall entry Publisher: '$(value Publisher)'"
[ "$(value UninstallString)" = "\"$instdir_win\\Uninstall.exe\"" ] && ok "uninstall entry: UninstallString" || fail "uninstall entry UninstallString: '$(value UninstallString)'"
[ "$(value QuietUninstallString)" = "\"$instdir_win\\Uninstall.exe\" /S" ] || fail "uninstall entry QuietUninstallString: '$(value QuietUninstallString)'"

# The version Windows shows in the programs' properties, the same as tessel's.
for exe in "$product.exe" tessel.exe; do
  before_version=$failures
  props=$(wine "$probe" version "$instdir_win\\$exe" | tr -d '\r')
  for expect in "ProductName=$product" "ProductVersion=$version" "CompanyName=Oxbrim" "FileVersion=$version" "Fixed=$version"; do
    printf '%s\n' "$props" | grep -qxF "$expect" || fail "$exe version resource: no $expect in: $(echo $props)"
  done
  printf '%s\n' "$props" | grep -q '^FileDescription=.' || fail "$exe version resource: no FileDescription"
  [ $failures -eq $before_version ] && ok "$exe version resource: $(echo $props)"
done
tessel_version=$(wine "$instdir_win\\tessel.exe" --version | tr -d '\r')
[[ "$tessel_version" == "tessel $version "* ]] && ok "tessel.exe --version: $tessel_version" || fail "tessel.exe --version: '$tessel_version'"
wait_wine "tessel.exe"

# Started as a user starts it: through the Start menu shortcut.
wine start "$(winepath -w "$menu/$product.lnk" | tr -d '\r')" >/dev/null 2>&1 &
sees_window "$instdir_win\\$product.exe" "installed program"

# --- The uninstaller, silently: it hands over to a copy of itself in the
# temporary folder, so wait for every Windows process to end.
wine "$instdir_win\\Uninstall.exe" /S; status=$?
wait_wine "the uninstaller"
[ $status -eq 0 ] || fail "Uninstall.exe /S exits $status"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there" || ok "uninstall entry removed"
after=$(snapshot)
if [ "$before" = "$after" ]; then ok "uninstall leaves the folders as they were before the setup"
else fail "left behind or changed by install and uninstall:"; diff <(echo "$before") <(echo "$after") | sed -n 's/^[<>] /  /p'; fi

# --- The portable zip: one folder with the four files, started from there.
mkdir -p "$work/portable"
unzip -q "$zipfile" -d "$work/portable" || fail "unzip failed"
folder="$work/portable/$product $version"
listing=$(cd "$work/portable" && find . -type f | sort | tr '\n' '|')
expected=$(for f in "${files[@]}"; do echo "./$product $version/$f"; done | sort | tr '\n' '|')
[ "$listing" = "$expected" ] && ok "zip holds: ${files[*]}" || fail "zip holds: $listing"
folder_win=$(winepath -w "$folder" | tr -d '\r')
(cd "$folder" && wine "$product.exe" >/dev/null 2>&1) &
sees_window "$folder_win\\$product.exe" "portable program"

echo "release check: $failures failed"
[ $failures -eq 0 ]

#!/usr/bin/env bash
# Tries the release as a Windows user gets it, under Wine in a fresh prefix:
# installs the setup program silently, checks the files, their dates, the
# shortcuts and the entry in the installed programs, starts the program through
# its shortcut and sees its window; while it runs, the setup program and the
# uninstaller must refuse (silently) or ask to close it (interactively) and
# change nothing; once it is closed, both succeed and nothing is left; then
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

# The files carry the build's date: the commit's, unless SOURCE_DATE_EPOCH says.
# Both the zip and the setup program keep even seconds only. Sources outside git
# are packed with the time of packing, shortly before.
build_date=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null)}
date_slack=1
[ -n "$build_date" ] || { build_date=$(date +%s); date_slack=3600; }
dated() {
  local folder=$1 what=$2 before_dates=$failures file stamp
  for file in "${files[@]}"; do
    stamp=$(stat -c %Y "$folder/$file")
    [ $((build_date - stamp)) -ge 0 ] && [ $((build_date - stamp)) -le $date_slack ] ||
      fail "$what $file is dated $(date -u -d "@$stamp"), not the build's $(date -u -d "@$build_date")"
  done
  [ $failures -eq $before_dates ] && ok "$what files dated $(date -u -d "@$build_date")"
}
dated "$instdir" installed

# Started as a user starts it: through the Start menu shortcut, and left running.
wine start "$(winepath -w "$menu/$product.lnk" | tr -d '\r')" >/dev/null 2>&1 &
shown=$(wine "$probe" started "$product" 60 | tr -d '\r')
[ "$shown" = "window: $instdir_win\\$product.exe" ] && ok "installed program: the window opens" \
  || fail "installed program: window of '$instdir_win\\$product.exe' expected, saw '${shown:-nothing}'"

# --- While it runs, neither the setup program nor the uninstaller touches a
# file. A line added to README.txt shows whether the setup wrote anything.
installed=$(snapshot)
marker="written while the program ran"
echo "$marker" >> "$instdir/README.txt"
entry_kept() { wine reg query "$key" >/dev/null 2>&1; }
unchanged() {
  [ "$(snapshot)" = "$installed" ] && grep -q "$marker" "$instdir/README.txt" && entry_kept && ok "$1" || fail "$1: files or the uninstall entry changed"
}
# Not waited for through the Wine server, which the program keeps busy.
timeout 60 wine "$setup" /S; status=$?
[ $status -ne 0 ] && ok "setup /S refuses while the program runs (exit $status)" || fail "setup /S exits 0 while the program runs"
unchanged "setup /S leaves the installed program alone"
# In place (_?=, unquoted and last), so that its exit status is its own.
timeout 60 wine "$probe" run "\"$instdir_win\\Uninstall.exe\" /S _?=$instdir_win"; status=$?
[ $status -ne 0 ] && ok "Uninstall.exe /S refuses while the program runs (exit $status)" || fail "Uninstall.exe /S exits 0 while the program runs"
unchanged "Uninstall.exe /S removes nothing while the program runs"
# Started by a person, each asks to close the program; Cancel changes nothing.
for run in "setup|$setup|$product $version Setup" "uninstaller|$instdir_win\\Uninstall.exe|$product $version Uninstall"; do
  IFS="|" read -r what exe caption <<<"$run"
  timeout 60 wine "$exe" >/dev/null 2>&1 &
  asked=$(wine "$probe" box "$caption" 30 | tr -d '\r')
  [[ "$asked" == "box: $product is running."* ]] && ok "the $what asks: ${asked#box: }" || fail "the $what did not ask to close the program: '${asked:-nothing}'"
  wait $!
done
unchanged "Cancel leaves the installed program alone"

# Closed, the setup program installs over the old files.
sees_window "$instdir_win\\$product.exe" "installed program"
wine "$setup" /S; status=$?
wait_wine "the setup program, again"
[ $status -eq 0 ] && ! grep -q "$marker" "$instdir/README.txt" && ok "setup /S installs once the program is closed" \
  || fail "setup /S once the program is closed: exit $status, README.txt $(grep -c "$marker" "$instdir/README.txt") marker lines"

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
TZ=UTC unzip -q "$zipfile" -d "$work/portable" || fail "unzip failed"
folder="$work/portable/$product $version"
dated "$folder" portable
listing=$(cd "$work/portable" && find . -type f | sort | tr '\n' '|')
expected=$(for f in "${files[@]}"; do echo "./$product $version/$f"; done | sort | tr '\n' '|')
[ "$listing" = "$expected" ] && ok "zip holds: ${files[*]}" || fail "zip holds: $listing"
folder_win=$(winepath -w "$folder" | tr -d '\r')
(cd "$folder" && wine "$product.exe" >/dev/null 2>&1) &
sees_window "$folder_win\\$product.exe" "portable program"

echo "release check: $failures failed"
[ $failures -eq 0 ]

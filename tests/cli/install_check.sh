#!/usr/bin/env bash
# cmake --install of a build into a fresh prefix puts the given files there.
#
#   install_check.sh BUILD_DIR FILE...   (FILE relative to the prefix)
set -uo pipefail
build=$1; shift
prefix=$(mktemp -d); trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "cmake --install failed"; exit 1; }
status=0
for file in "$@"; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; status=1; }
done
# The native program runs from where it was installed.
if [ -x "$prefix/bin/tessel" ]; then
  "$prefix/bin/tessel" --version | grep -q '^tessel ' || { echo "the installed tessel does not run"; status=1; }
fi
exit $status

#!/usr/bin/env bash
# Installs what the build and the tests need. Idempotent: when everything is
# there it only checks and returns.
#   scripts/setup.sh          everything (native build, Windows cross build, Wine)
#   scripts/setup.sh native   only what the native build and the source checks need
#   scripts/setup.sh fuzz     the native build and clang with libFuzzer (scripts/fuzz.sh only)
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

native=(g++ cmake ninja-build libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format clang-tidy)
windows=(g++-mingw-w64-i686-posix wine wine32:i386 fonts-wine xvfb xauth imagemagick fp-utils python3 nsis zip unzip)

# Only scripts/fuzz.sh needs clang: every other build uses g++.
fuzz=(clang libclang-rt-14-dev)

wanted=("${native[@]}")
case "${1:-all}" in
  native) ;;
  fuzz) wanted+=("${fuzz[@]}") ;;
  *) wanted+=("${windows[@]}") ;;
esac
for p in "${wanted[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
if [[ " ${need[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "setup: installing ${need[*]}" >&2
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null

#!/usr/bin/env bash
# Makes the Windows release in dist/, the version in the file names:
#   dist/OxbrimTesselIncrediMail-VERSION-setup.exe      setup program (per user, no administrator rights)
#   dist/OxbrimTesselIncrediMail-VERSION-portable.zip   the same files to run from a folder or a USB stick
# Installs what is missing, builds what ships with the win32 preset and packs
# it (installer/package.sh). `ctest --preset win32 -R release` tries both under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target release

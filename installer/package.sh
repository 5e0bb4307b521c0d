#!/usr/bin/env bash
# Makes the release from a built win32 tree: the portable zip and the setup
# program, the version in both names.
#
#   installer/package.sh BUILD_DIR OUT_DIR
#   -> OUT_DIR/OxbrimTesselIncrediMail-VERSION-portable.zip
#      OUT_DIR/OxbrimTesselIncrediMail-VERSION-setup.exe
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:?usage: package.sh BUILD_DIR OUT_DIR}" && pwd)
out=${2:?usage: package.sh BUILD_DIR OUT_DIR}
product="Oxbrim Tessel IncrediMail"
# Windows counts 1.5 MB as 1.5 x 1024 x 1024 bytes.
max_program_bytes=1572864

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package: no project version in $build/CMakeCache.txt" >&2; exit 1; }
command -v makensis >/dev/null || { echo "package: makensis not found (Debian package nsis)" >&2; exit 1; }
command -v zip >/dev/null || { echo "package: zip not found (Debian package zip)" >&2; exit 1; }

# The build's date: the commit's (or SOURCE_DATE_EPOCH), so that the same
# commit makes the same package. The zip and the setup program keep even
# seconds only; strip stamps it into the programs' headers.
build_date=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}
export SOURCE_DATE_EPOCH=$((build_date / 2 * 2))

work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
folder="$product $version"
stage="$work/$folder"
# cmake --install --strip: the programs without their symbols, as they ship.
cmake --install "$build" --prefix "$work/install" --strip >/dev/null
mkdir -p "$stage"
for file in "$product.exe" "$product.chm" tessel.exe; do
  [ -f "$work/install/bin/$file" ] || { echo "package: $file was not built" >&2; exit 1; }
  cp "$work/install/bin/$file" "$stage/"
done
# Windows users read it in Notepad: CR LF line ends.
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$here/README.txt" > "$stage/README.txt"

size=$(stat -c %s "$stage/$product.exe")
echo "package: $product.exe $size bytes (at most $max_program_bytes)"
if [ "$size" -gt "$max_program_bytes" ]; then
  echo "package: the program is larger than $max_program_bytes bytes" >&2; exit 1
fi

mkdir -p "$out"
out=$(cd "$out" && pwd)
base="OxbrimTesselIncrediMail-$version"
rm -f "$out/$base-portable.zip" "$out/$base-setup.exe"
# Every file carries the build's date; the zip holds it as UTC, without extra
# file attributes.
find "$stage" -exec touch -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$work" && find "$folder" | LC_ALL=C sort | TZ=UTC zip -q -X -9 -@ "$out/$base-portable.zip")
size_kb=$(du -k -c "$stage"/* | tail -n1 | cut -f1)
makensis -V2 -NOCD "-DVERSION=$version" "-DSTAGE=$stage" "-DSIZE_KB=$size_kb" \
  "-DICON=$root/res/art/icon128.ico" "-DOUTFILE=$out/$base-setup.exe" "$here/tessel.nsi" >/dev/null
echo "package: $out/$base-portable.zip"
echo "package: $out/$base-setup.exe"

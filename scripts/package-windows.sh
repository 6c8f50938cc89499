#!/usr/bin/env bash
# Makes the Windows release zip: the four programs of the `mingw` build side by side, with a Readme and the
# licence texts of the Qt the programs link statically.
#   scripts/package-windows.sh                      builds the programs with the mingw preset, then packs them
#   scripts/package-windows.sh <bin folder> [zip]   packs programs built already
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
programs=(ferrowind ferrowind-compile ferrowind-cmd bsptwomap)

if [ $# -eq 0 ]; then
  cd "$root"
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw --target "${programs[@]}"
  bin="$root/build/mingw/bin"
else
  bin="$(cd "$1" && pwd)"
fi
version=$(sed -n 's/^project(Ferrowind VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
zip="${2:-$(dirname "$bin")/Ferrowind-$version-windows-x64.zip}"
qt="$root/../shared/tools/qt-mingw"
qt_version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")/\1/p' "$qt/qt/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake")

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder="$stage/Ferrowind-$version"
mkdir -p "$folder/licences"
for program in "${programs[@]}"; do
  [ -f "$bin/$program.exe" ] || { echo "missing $bin/$program.exe" >&2; exit 1; }
  cp "$bin/$program.exe" "$folder/"
done
# Without their symbols the programs are half the size.
x86_64-w64-mingw32-strip "$folder"/*.exe
for licence in LGPL-3.0-only GPL-3.0-only GPL-2.0-only; do
  cp "$qt/LICENSES/$licence.txt" "$folder/licences/Qt-$licence.txt"
done
# Windows line ends: the Readme is read in Notepad.
sed -e "s/@VERSION@/$version/g" -e "s/@QT_VERSION@/$qt_version/g" -e 's/$/\r/' "$root/scripts/windows-readme.txt" > "$folder/Readme.txt"

rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "Ferrowind-$version")
echo "$zip"

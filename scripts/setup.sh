#!/usr/bin/env bash
# Installs the Debian packages Ferrowind needs, only those missing, as root or through sudo.
#   scripts/setup.sh run    building and running the program
#   scripts/setup.sh test   also the test suites, the formatting check and the Debian package's checks
#   scripts/setup.sh package  also the tools that make and check the Debian package (package.sh)
#   scripts/setup.sh bench  also the benchmarks
#   scripts/setup.sh fuzz   also clang and libFuzzer for the fuzz targets (run_fuzz.sh)
#   scripts/setup.sh windows  the MinGW-w64 cross-build (with the Qt in ../shared/tools/qt-mingw) and its tests under Wine
set -euo pipefail

purpose="${1:-run}"
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev zlib1g-dev
  nlohmann-json3-dev xdg-utils fonts-wine scdoc
)
package_tools=(dpkg-dev file lintian desktop-file-utils appstream shared-mime-info)
case "$purpose" in
  run) ;;
  test) packages+=(libgtest-dev libgmock-dev clang-format "${package_tools[@]}") ;;
  package) packages+=("${package_tools[@]}") ;;
  bench) packages+=(libbenchmark-dev) ;;
  fuzz) packages+=(clang libclang-rt-14-dev) ;;
  windows) packages=(cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nlohmann-json3-dev qt6-base-dev-tools wine wine64 fonts-wine googletest) ;;
  *) echo "usage: $0 [run|test|package|bench|fuzz|windows]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"

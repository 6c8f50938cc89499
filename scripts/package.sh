#!/usr/bin/env bash
# Builds the Debian package of Ferrowind from a release build in build/package/, checks it with lintian and
# prints the package's path as the last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package >&2

# Debian's own build flags (hardening included), as its packages are built with, less the debugging information
# that the package strips anyway; CMake reads them on the first configure of the folder.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake --preset release -B build/package -DFERROWIND_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr "${launcher[@]}" >&2
cmake --build build/package >&2
rm -f build/package/ferrowind_*.deb
(cd build/package && cpack -G DEB >&2)
deb=$(ls "$PWD"/build/package/ferrowind_*.deb)
lintian --fail-on error "$deb" >&2
echo "$deb"

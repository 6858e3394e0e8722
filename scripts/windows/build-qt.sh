#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The recipe of the Qt that the Windows program ships: Qt's base module for
# 64-bit Windows, built with Debian's MinGW-w64 compilers from Debian's
# qt6-base source package (its upstream source with Debian's patches),
# using the machine's Qt 6 of the same version for the host tools (moc, rcc,
# uic). Only what the program and its tests use is built: shared libraries,
# the Windows platform plugin with accessibility and DirectWrite, the
# offscreen one for the tests, the bundled third-party code; no SQL, network,
# D-Bus, OpenGL, printing, XML or image formats beyond PNG and BMP; optimised
# for size.
#   build-qt.sh DSC PREFIX WORK
# DSC is the source package's .dsc, beside its other files; PREFIX, which
# must not exist, receives the built Qt, and in PREFIX/debian-source the
# patched source it was built from (the licences and notices are taken
# from there), PREFIX/debian-version the source package's version and
# PREFIX/source-deps.txt the files each object was compiled from (ninja's
# record, with absolute paths). WORK is a scratch folder.
# scripts/windows.sh runs it and keeps its result in a cache; anyone can run
# it the same way to rebuild that Qt, e.g. from the source archive.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 3 ] || { echo "usage: build-qt.sh DSC PREFIX WORK" >&2; exit 2; }
dsc=$(realpath "$1")
prefix=$(realpath -m "$2")
work=$(realpath -m "$3")
[ ! -e "$prefix" ] || { echo "build-qt: $prefix exists" >&2; exit 1; }
host_cmake=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake

options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DFEATURE_optimize_size=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DINPUT_opengl=no -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_style_windowsvista=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
)

mkdir -p "$work" "$prefix"
# apt checked every file against Debian's signed index when it downloaded
# them; dpkg-source, which cannot check the signature of the .dsc itself
# without debian-keyring, says so in its log.
dpkg-source -x "$dsc" "$prefix/debian-source" >"$work/unpack.log" 2>&1 \
  || { cat "$work/unpack.log" >&2; echo "build-qt: unpacking $dsc failed" >&2; exit 1; }
sed -n 's/^Version: //p' "$dsc" >"$prefix/debian-version"
# Qt's own toolchain file, which the program's build uses, loads this one
# from beside it.
cp "$here/mingw-w64-x86_64.cmake" "$prefix/mingw-w64-x86_64.cmake"
cmake -S "$prefix/debian-source" -B "$work/build" -G Ninja "${options[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" >"$work/configure.log" 2>&1 \
  || { tail -40 "$work/configure.log" >&2; echo "build-qt: Qt's configuration failed" >&2; exit 1; }
cmake --build "$work/build" --parallel >"$work/build.log" 2>&1 \
  || { grep -B5 -A20 -m3 'FAILED\|error:' "$work/build.log" >&2; echo "build-qt: Qt's build failed" >&2; exit 1; }
cmake --install "$work/build" --strip >/dev/null
# ninja names the files an object was compiled from relative to the build
# folder, which goes: they are recorded with its path in front.
(cd "$work/build" && ninja -t deps) | awk -v build="$work/build" '/^    [^\/]/ { sub(/^    /, "    " build "/") } { print }' \
  >"$prefix/source-deps.txt"

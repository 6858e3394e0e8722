# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# The recipe of the Qt that the Windows program ships (scripts/qt/build-qt.sh
# builds it, and says what each function is for): Qt's base module for 64-bit
# Windows, built with Debian's MinGW-w64 compilers (this folder's toolchain
# file). Only what the program and its tests use is built: shared libraries,
# the Windows platform plugin with accessibility and DirectWrite, the
# offscreen one for the tests, the bundled third-party code; no SQL, network,
# D-Bus, OpenGL, printing, XML or image formats beyond PNG and BMP; optimised
# for size.

windows_recipe_folder=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

recipe_title() { echo "for Windows"; }

recipe_options() {
  printf '%s\n' \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DFEATURE_optimize_size=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DINPUT_opengl=no -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_style_windowsvista=OFF \
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
}

recipe_patches() { :; }

# Qt's own toolchain file, which the program's build uses, loads this one
# from beside it.
recipe_configure() {
  local source=$1 build=$2 prefix=$3 host_cmake=$4
  shift 4
  cp "$windows_recipe_folder/mingw-w64-x86_64.cmake" "$prefix/mingw-w64-x86_64.cmake"
  cmake -S "$source" -B "$build" -G Ninja "$@" \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake"
}

recipe_install() { cmake --install "$1" --strip; }

recipe_finish() { :; }

recipe_files() { echo mingw-w64-x86_64.cmake; }

# The compilers decide what the build makes as much as the options do: the
# toolchain file and the versions of the compilers, the MinGW-w64 runtime and
# the linker.
recipe_tag() { :; }
recipe_digest_inputs() {
  cat "$windows_recipe_folder/mingw-w64-x86_64.cmake"
  dpkg-query -W g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix-runtime \
    mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
}

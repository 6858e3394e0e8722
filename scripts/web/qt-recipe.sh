# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# The recipe of the Qt the web page runs (scripts/qt/build-qt.sh builds it,
# and says what each function is for): Qt's base module for WebAssembly, as
# the program needs it, built with Debian 13's emscripten: static, optimized
# for size, the wasm platform plugin, bundled third-party code, the test
# library for the logic tests; no SQL, network, D-Bus, printing, concurrent,
# XML or image formats beyond PNG and BMP. OpenGL stays: the platform's
# window code needs it, though windows are drawn with a 2D canvas. The
# platform's own faces (DejaVu, a megabyte) are left out: the program brings
# its faces, and sets one on every control (qt-no-bundled-fonts.patch).

web_recipe_folder=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export EMSDK=/usr/share/emscripten

# emscripten_version: the version of Debian's emscripten, which the build
# compiles with.
emscripten_version() { dpkg-query -W -f='${Version}' emscripten; }

recipe_title() { echo "for WebAssembly (emscripten $(emscripten_version))"; }

recipe_options() {
  printf '%s\n' \
    -platform wasm-emscripten -static -release -optimize-size \
    -nomake examples -nomake tests -nomake benchmarks \
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre \
    -no-feature-sql -no-feature-network -no-feature-dbus -no-feature-printsupport \
    -no-feature-concurrent -no-feature-xml -no-feature-zstd -no-feature-jpeg -no-feature-gif \
    -no-feature-ico -no-feature-tabletevent -no-feature-textmarkdownreader \
    -no-feature-textmarkdownwriter -no-feature-textodfwriter
}

recipe_patches() { echo qt-no-bundled-fonts.patch; }

recipe_configure() {
  local source=$1 build=$2 prefix=$3 host_cmake=$4
  shift 4
  mkdir -p "$build"
  (cd "$build" && "$source/configure" "$@" -prefix "$prefix" -qt-host-path /usr \
    -- -DQT_HOST_PATH_CMAKE_DIR="$host_cmake")
}

recipe_install() { cmake --install "$1"; }

# The style sheet the platform puts into the page, whose digest the page's
# Content-Security-Policy names: the only style not from a file.
recipe_finish() {
  python3 "$web_recipe_folder/screen-style-digest.py" "$1/src/plugins/platforms/wasm/qwasmcssstyle.cpp" \
    >"$2/screen-style-digest"
}

recipe_files() { printf '%s\n' qt-no-bundled-fonts.patch screen-style-digest.py; }

# emscripten's version names the Qt in the cache; the options and the patch
# make its digest.
recipe_tag() {
  local version
  version=$(emscripten_version) || return 1
  echo "emscripten-${version//[:~+]/_}"
}
recipe_digest_inputs() { :; }

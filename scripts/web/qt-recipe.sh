# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# The recipe of the Qt the web page runs (scripts/qt/build-qt.sh builds it,
# and says what each function is for): Qt's base module for WebAssembly, as
# the program needs it, built with Debian 13's emscripten: static, optimized
# for size, the wasm platform plugin, bundled third-party code, the test
# library for the logic tests. Everything else is left out, each for the size
# it saves (scripts/web-bench.sh prints the figures): no SQL, network,
# D-Bus, printing, concurrent or XML; no MIME database, regular expressions
# (nor PCRE2), animations, style sheets or styles but Fusion; no HTML, CSS,
# Markdown or ODF text formats, no image formats beyond PNG and BMP, no PDF
# or QPicture; no widgets, dialogs or models the program does not show, no
# drag and drop, gestures, time zones, translations, settings, desktop
# services or tray; the calendars but the Gregorian one; SHA-3 the small
# way; no debug or info messages. OpenGL stays: the platform's window code
# needs it, though windows are drawn with a 2D canvas. The platform's own
# faces (DejaVu, a megabyte) are left out: the program brings its faces, and
# sets one on every control (qt-no-bundled-fonts.patch). qt-features-off.patch
# lets Qt build with those switches off; qt-page.patch is how the platform
# behaves in the drill's page (keys, a Mac's Option, accessibility from the
# start, the keyboard focus, the page's zoom).

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
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz \
    -no-feature-sql -no-feature-network -no-feature-dbus -no-feature-printsupport \
    -no-feature-concurrent -no-feature-xml -no-feature-zstd -no-feature-jpeg -no-feature-gif \
    -no-feature-ico -no-feature-tabletevent -no-feature-textmarkdownreader \
    -no-feature-textmarkdownwriter -no-feature-textodfwriter \
    -no-feature-mimetype -no-feature-regularexpression -no-feature-animation \
    -no-feature-style-windows -no-feature-style-stylesheet -no-feature-effects \
    -no-feature-texthtmlparser -no-feature-cssparser \
    -no-feature-imageformat_ppm -no-feature-imageformat_xbm -no-feature-imageformat_xpm \
    -no-feature-movie -no-feature-pdf -no-feature-picture \
    -no-feature-itemviews -no-feature-completer -no-feature-graphicsview -no-feature-textedit \
    -no-feature-messagebox -no-feature-filedialog -no-feature-colordialog -no-feature-fontdialog \
    -no-feature-inputdialog -no-feature-progressdialog -no-feature-errormessage -no-feature-wizard \
    -no-feature-calendarwidget -no-feature-datetimeedit -no-feature-mdiarea -no-feature-dockwidget \
    -no-feature-toolbar -no-feature-tabwidget -no-feature-tabbar -no-feature-combobox \
    -no-feature-spinbox -no-feature-validator -no-feature-undocommand \
    -no-feature-filesystemmodel -no-feature-standarditemmodel \
    -no-feature-draganddrop -no-feature-gestures -no-feature-timezone -no-feature-translation \
    -no-feature-settings -no-feature-desktopservices -no-feature-systemtrayicon -no-feature-whatsthis \
    -no-feature-hijricalendar -no-feature-jalalicalendar -no-feature-islamiccivilcalendar \
    -no-feature-sha3-fast -D QT_NO_DEBUG_OUTPUT -D QT_NO_INFO_OUTPUT
}

recipe_patches() { printf '%s\n' qt-no-bundled-fonts.patch qt-features-off.patch qt-page.patch; }

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

recipe_files() { printf '%s\n' qt-no-bundled-fonts.patch qt-features-off.patch qt-page.patch screen-style-digest.py; }

# emscripten's version names the Qt in the cache; the options and the patch
# make its digest.
recipe_tag() {
  local version
  version=$(emscripten_version) || return 1
  echo "emscripten-${version//[:~+]/_}"
}
recipe_digest_inputs() { :; }

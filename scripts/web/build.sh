#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The web build proper, run by scripts/web.sh on Debian 13 (the machine, or
# a Debian 13 root), from the repository's top folder:
#  1. Qt's base module for WebAssembly, built with Debian's emscripten from
#     Debian's qt6-base source of the same version as the Qt tools installed
#     here (which it runs), statically, with only what the program and its
#     tests use. It is kept in CACHE under a name made of that version,
#     emscripten's version and a digest of how it is built, with the patched
#     source it was built from (debian-source) and the record of what each
#     object was compiled from (source-deps.txt, with absolute paths), and
#     stamped when complete; a build that did not finish is removed. A lock
#     on the cache lets two runs share it: the second waits, and finds the
#     first's Qt.
#  2. Qt's licence and notices, made from that source (build-web/qt-licences),
#     the program, its page (build-web/page) and menvori-<version>-web.zip
#     with its source archive, in build-web/.
#  3. If TESTS is 1, the logic tests built for WebAssembly, under node.
#   build.sh CACHE TESTS
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib.sh
WHO="web build"
trap run_at_exit EXIT
# Stopped by a signal, it still removes what it has not finished.
trap 'exit 1' INT TERM HUP
cache=$1
tests=$2

export EMSDK=/usr/share/emscripten
# need COMMAND PACKAGE: stops, naming the package, where COMMAND is missing.
need() {
  command -v "$1" >/dev/null \
    || fail "$1 is missing: on Debian 13 it comes with the package $2 (bash scripts/setup.sh web-build installs it)"
}
need em++ emscripten
need node nodejs
need dpkg-source dpkg-dev
need cmake cmake
need ninja ninja-build
need python3 python3
[ "$(machine_suite)" = trixie ] || fail "the web build needs Debian 13 (trixie)"
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev) || fail "qt6-base-dev is not installed"
em_version=$(dpkg-query -W -f='${Version}' emscripten) || fail "emscripten is not installed"
host_cmake=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake
[ -d "$host_cmake/Qt6" ] || fail "the Qt 6 CMake files are not in $host_cmake"

# Qt for WebAssembly as the program needs it: static, optimized for size,
# the wasm platform plugin, bundled third-party code, the test library for
# the logic tests; no SQL, network, D-Bus, printing, concurrent, XML or image
# formats beyond PNG and BMP. OpenGL stays: the platform's window code needs
# it, though windows are drawn with a 2D canvas. The platform's own faces
# (DejaVu, a megabyte) are left out: the program brings its faces, and sets
# one on every control (scripts/web/qt-no-bundled-fonts.patch).
qt_options=(
  -platform wasm-emscripten -static -release -optimize-size
  -nomake examples -nomake tests -nomake benchmarks
  -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre
  -no-feature-sql -no-feature-network -no-feature-dbus -no-feature-printsupport
  -no-feature-concurrent -no-feature-xml -no-feature-zstd -no-feature-jpeg -no-feature-gif
  -no-feature-ico -no-feature-tabletevent -no-feature-textmarkdownreader
  -no-feature-textmarkdownwriter -no-feature-textodfwriter
)
# The cache entry is named by the versions and a digest of how it is built.
qt_patches=(scripts/web/qt-no-bundled-fonts.patch)
recipe=$( (printf '%s\n' "${qt_options[@]}"; cat "${qt_patches[@]}") | sha256sum | cut -c1-12)
qt=$cache/qt-${qt_version//[:~+]/_}-emscripten-${em_version//[:~+]/_}-$recipe
# Debian's source package the Qt is built from, kept: it goes out with the
# program, as the licences require.
source_folder=$cache/source/${qt_version//[:~+]/_}
dsc=$source_folder/qt6-base_${qt_version#*:}.dsc
mkdir -p "$cache"

# Debian's qt6-base source of exactly the installed version, fetched with a
# private source list, index and download folder under the cache: the
# system's own apt configuration and state are left as they are.
fetch_qt_source() {
  local mirror=${MENVORI_MIRROR:-http://deb.debian.org/debian}
  local security=${MENVORI_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
  local keyring=/usr/share/keyrings/debian-archive-keyring.gpg apt=$cache/apt
  [ -r "$keyring" ] || fail "$keyring is missing: on Debian it comes with the package debian-archive-keyring"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$source_folder"
  cat >"$apt/sources.list" <<EOF
deb-src [signed-by=$keyring] $mirror trixie main
deb-src [signed-by=$keyring] $mirror trixie-updates main
deb-src [signed-by=$keyring] $security trixie-security main
EOF
  local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root -q)
  apt-get "${options[@]}" --error-on=any update >"$apt/update.log" 2>&1 \
    || { cat "$apt/update.log" >&2; fail "could not download Debian's source index from $mirror (network, or MENVORI_MIRROR)"; }
  (cd "$source_folder" && apt-get "${options[@]}" source --download-only "qt6-base=$qt_version") >"$apt/source.log" 2>&1 \
    || { cat "$apt/source.log" >&2; fail "could not download Debian's qt6-base $qt_version source from $mirror"; }
}

# Removes what an interrupted build left; runs with the lock held.
drop_unfinished() {
  [ -e "$qt/.complete" ] || rm -rf "$qt"
}

build_qt() {
  local work
  echo "== Qt $qt_version for WebAssembly (emscripten $em_version): not in the cache, building it into $qt =="
  # What a run that was killed outright left behind.
  rm -rf "$qt" "$cache"/build.*
  work=$(mktemp -d "$cache/build.XXXXXX")
  at_exit rm -rf "$work"
  at_exit drop_unfinished
  [ -f "$dsc" ] || fetch_qt_source
  [ -f "$dsc" ] || fail "no $dsc after the download"
  # apt checked every file against Debian's signed index. The source is
  # kept with the Qt built from it: the notices are made from it.
  local source=$qt/debian-source
  mkdir -p "$qt"
  dpkg-source -x "$dsc" "$source" >"$work/unpack.log" 2>&1 \
    || { cat "$work/unpack.log" >&2; fail "unpacking $dsc"; }
  local patch
  for patch in "${qt_patches[@]}"; do
    patch -d "$source" -p1 --quiet <"$patch" || fail "applying $patch to Qt's source"
  done
  local qt_start=$SECONDS
  mkdir -p "$work/build"
  (cd "$work/build" && nice -n 10 "$source/configure" "${qt_options[@]}" -prefix "$qt" -qt-host-path /usr \
    -- -DQT_HOST_PATH_CMAKE_DIR="$host_cmake") >"$work/configure.log" 2>&1 \
    || { tail -40 "$work/configure.log" >&2; fail "Qt's configuration"; }
  # ninja ends what it runs when it is ended.
  nice -n 10 ninja -C "$work/build" >"$work/build.log" 2>&1 &
  at_exit end_process $!
  wait $! || { grep -B5 -A20 -m3 'FAILED\|error:' "$work/build.log" >&2; fail "Qt's build"; }
  cmake --install "$work/build" >/dev/null
  # The style sheet the platform puts into the page, whose digest the page's
  # Content-Security-Policy names: the only style not from a file.
  python3 scripts/web/screen-style-digest.py "$source/src/plugins/platforms/wasm/qwasmcssstyle.cpp" \
    >"$qt/screen-style-digest" || fail "no digest of the platform's style sheet"
  # ninja names the files an object was compiled from relative to the build
  # folder, which goes: they are recorded with its path in front.
  (cd "$work/build" && ninja -t deps) | awk -v build="$work/build" '/^    [^\/]/ { sub(/^    /, "    " build "/") } { print }' \
    >"$qt/source-deps.txt"
  echo "Qt built in $((SECONDS - qt_start)) s"
  touch "$qt/.complete"
}

# One run at a time builds or checks the cache; a run that finds Qt complete
# uses it, and a complete Qt is never removed.
exec 9>"$cache/lock"
flock 9
if [ -e "$qt/.complete" ]; then
  echo "== Qt $qt_version for WebAssembly: from the cache, $qt =="
else
  build_qt
fi
flock -u 9
exec 9>&-

echo "== Menvori for the web, in build-web =="
mkdir -p build-web
# Qt's licence, and the notices of the third-party code built into it.
qt_licences=$PWD/build-web/qt-licences
rm -rf "$qt_licences"
mkdir -p "$qt_licences"
cp "$qt/debian-source/LICENSES/LGPL-3.0-only.txt" "$qt_licences/Qt-LGPL-3.0-only.txt"
python3 scripts/windows/qt-notices.py "$qt/debian-source" "$qt/source-deps.txt" \
  "$qt_licences/Qt-third-party-notices.txt" || fail "making Qt's notices"
# The page allows the one style sheet the platform writes into it.
log=build-web/build.log
"$qt/bin/qt-cmake" -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DBUILD_TESTING=ON -DMENVORI_TOOLS=OFF -DMENVORI_BENCH=ON \
  -DMENVORI_WEB_STYLE_SOURCES="$(cat "$qt/screen-style-digest")" \
  -DMENVORI_WEB_QT_LICENCES="$qt_licences" -DMENVORI_QT_DEBIAN_VERSION="$qt_version" >"$log" 2>&1 \
  || { cat "$log" >&2; fail "configuring the program's build"; }
nice -n 10 cmake --build build-web >>"$log" 2>&1 \
  || { grep -B5 -A20 -m3 'FAILED\|error:' "$log" >&2; fail "the program's build"; }
rm -f build-web/menvori-*-web.zip
(cd build-web && cpack -G ZIP >/dev/null)
zips=(build-web/menvori-*-web.zip)
[ ${#zips[@]} -eq 1 ] && [ -s "${zips[0]}" ] || fail "no menvori-*-web.zip was made"
wasm=(build-web/page/menvori.*.wasm)
echo "$(basename "${zips[0]}"): $(stat -c %s "${zips[0]}") bytes; the program's code $(stat -c %s "${wasm[0]}") bytes, $(gzip -9 -c "${wasm[0]}" | wc -c) gzipped"
# The source the licences require, to go out beside the zip.
[ -f "$dsc" ] || fetch_qt_source
bash scripts/source-archive.sh "${zips[0]%-web.zip}-web-source.tar.xz" "$source_folder" \
  "${qt_patches[@]}" scripts/web/build.sh

if [ "$tests" -eq 1 ]; then
  echo "== Logic tests built for WebAssembly, under node =="
  (cd build-web && ctest --output-on-failure --no-tests=error)
fi

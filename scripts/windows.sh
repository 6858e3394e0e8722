#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Menvori for 64-bit Windows on Debian, with Debian's own packages,
# makes what a teacher downloads, and tests it under Wine:
#  1. Qt's base module for Windows, built from Debian's qt6-base source of the
#     same version as the machine's Qt 6 (whose host tools it uses), with only
#     what the program and its tests use. It is kept in a cache outside the
#     repository (MENVORI_WINDOWS_CACHE; default /var/cache/menvori-windows
#     as root, ~/.cache/menvori-windows otherwise) and built again only when
#     that version or the way it is built changes. A build that did not
#     finish is never taken for a finished one.
#  2. The program and its logic and drawing tests, in build-windows/, and
#     there menvori-<version>-windows-x64.zip and menvori-<version>-setup.exe.
#  3. Unless --no-tests, under Wine in Xvfb, in a private Wine prefix made in
#     a scratch folder and removed afterwards: the logic and drawing tests,
#     the drill in the unzipped program, the installer and its uninstaller
#     (tests/wine_tests.sh). Their screenshots go to build-windows/wine-shots.
# It installs the Debian packages of `scripts/setup.sh windows` and nothing
# else, and writes nothing outside build-windows/, the cache and its scratch
# folders. Debian's mirrors: MENVORI_MIRROR (default deb.debian.org).
#   bash scripts/windows.sh [--no-tests]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
tests=1
case "${1:-}" in
  "") ;;
  --no-tests) tests=0 ;;
  *) echo "usage: windows.sh [--no-tests]" >&2; exit 2 ;;
esac
source scripts/lib.sh
WHO=windows
start=$SECONDS

bash scripts/setup.sh windows

# need COMMAND PACKAGE: stops, naming the package, where COMMAND is missing.
need() {
  command -v "$1" >/dev/null \
    || fail "$1 is missing: on Debian it comes with the package $2 (bash scripts/setup.sh windows installs it)"
}
need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
need x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
need makensis nsis
need dpkg-source dpkg-dev
need xz xz-utils
need cmake cmake
need ninja ninja-build
need python3 python3
source scripts/windows/wine.sh
find_wine || fail "Wine is missing"

# The machine's Qt 6, whose host tools (moc, rcc, uic) the Windows Qt uses.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) \
  || fail "qt6-base-dev is not installed (bash scripts/setup.sh windows installs it)"
codename=$(machine_suite) || fail "not a Debian release Menvori is built on"
host_cmake=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake
[ -d "$host_cmake/Qt6" ] || fail "the machine's Qt 6 CMake files are not in $host_cmake"

# Qt for Windows, as the program needs it: shared libraries, the Windows
# platform plugin with accessibility and DirectWrite, the offscreen one for
# the tests, bundled third-party code; no SQL, network, D-Bus, OpenGL,
# printing, XML or image formats beyond PNG and BMP.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DINPUT_opengl=no -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_style_windowsvista=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
)
# The cache entry is named by the source version and a digest of how it is
# built, so that a change to either builds it again.
recipe=$( (printf '%s\n' "${qt_options[@]}"; cat scripts/windows/mingw-w64-x86_64.cmake scripts/windows/qt-notices.py) \
  | sha256sum | cut -c1-12)
if [ -n "${MENVORI_WINDOWS_CACHE:-}" ]; then
  cache=$MENVORI_WINDOWS_CACHE
elif [ "$(id -u)" -eq 0 ]; then
  cache=/var/cache/menvori-windows
else
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/menvori-windows
fi
qt=$cache/qt-${qt_version//[:~]/_}-$recipe
mkdir -p "$cache"

# Debian's qt6-base source of exactly the machine's version, fetched with a
# private source list, index and download folder under the cache: the
# machine's own apt configuration and state are left as they are.
fetch_qt_source() {
  local mirror=${MENVORI_MIRROR:-http://deb.debian.org/debian}
  local security=${MENVORI_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
  local keyring=/usr/share/keyrings/debian-archive-keyring.gpg apt=$cache/apt
  [ -r "$keyring" ] || fail "$keyring is missing: on Debian it comes with the package debian-archive-keyring"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$cache/source"
  cat >"$apt/sources.list" <<EOF
deb-src [signed-by=$keyring] $mirror $codename main
deb-src [signed-by=$keyring] $mirror $codename-updates main
deb-src [signed-by=$keyring] $security $codename-security main
EOF
  local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root -q)
  apt-get "${options[@]}" --error-on=any update >"$apt/update.log" 2>&1 \
    || { cat "$apt/update.log" >&2; fail "could not download Debian's source index from $mirror (network, or MENVORI_MIRROR)"; }
  (cd "$cache/source" && apt-get "${options[@]}" source --download-only "qt6-base=$qt_version") >"$apt/source.log" 2>&1 \
    || { cat "$apt/source.log" >&2
         fail "could not download Debian's qt6-base $qt_version source from $mirror (where Debian has a newer one, upgrade the machine's qt6-base-dev to it)"; }
}

build_qt() {
  local work dsc
  echo "== Qt $qt_version for Windows: not in the cache, building it into $qt =="
  # What a run that was killed outright left behind.
  rm -rf "$qt" "$cache"/build.*
  work=$(mktemp -d "$cache/build.XXXXXX")
  # Interrupted or failed, nothing is left that a later run would take for
  # a finished Qt: the stamp is written last.
  trap 'rm -rf "$work"; [ -e "$qt/.complete" ] || rm -rf "$qt"' EXIT
  fetch_qt_source
  dsc=$cache/source/qt6-base_${qt_version#*:}.dsc
  [ -f "$dsc" ] || fail "no $dsc after the download"
  # apt checked every file against Debian's signed index; dpkg-source, which
  # cannot check the signature of the .dsc itself without debian-keyring,
  # says so in its log.
  dpkg-source -x "$dsc" "$work/source" >"$work/unpack.log" 2>&1 \
    || { cat "$work/unpack.log" >&2; fail "unpacking $dsc"; }
  mkdir -p "$qt"
  # The toolchain file is kept with the Qt built with it: Qt's own toolchain
  # file, which the program's build uses, loads it from there.
  cp scripts/windows/mingw-w64-x86_64.cmake "$qt/mingw-w64-x86_64.cmake"
  local qt_start=$SECONDS
  cmake -S "$work/source" -B "$work/build" -G Ninja "${qt_options[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" >"$work/configure.log" 2>&1 \
    || { tail -40 "$work/configure.log" >&2; fail "Qt's configuration"; }
  cmake --build "$work/build" --parallel >"$work/build.log" 2>&1 \
    || { grep -B5 -A20 -m3 'FAILED\|error:' "$work/build.log" >&2; fail "Qt's build"; }
  cmake --install "$work/build" --strip >/dev/null
  # Qt's licence, and the notices of the third-party code built into it.
  mkdir -p "$qt/licences"
  cp "$work/source/LICENSES/LGPL-3.0-only.txt" "$qt/licences/Qt-LGPL-3.0-only.txt"
  (cd "$work/build" && ninja -t deps) >"$work/deps.txt"
  python3 scripts/windows/qt-notices.py "$work/source" "$work/build" "$work/deps.txt" "$qt/licences/Qt-third-party-notices.txt"
  echo "Qt built in $((SECONDS - qt_start)) s"
  touch "$qt/.complete"
  rm -rf "$work"
  trap - EXIT
}

if [ -e "$qt/.complete" ]; then
  echo "== Qt $qt_version for Windows: from the cache, $qt =="
else
  build_qt
fi

echo "== Menvori for Windows, in build-windows =="
export MENVORI_QT=$qt
cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$qt/mingw-w64-x86_64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$here/scripts/windows/wine-run.sh" \
  -DBUILD_TESTING=ON -DMENVORI_TOOLS=OFF -DMENVORI_BENCH=OFF >/dev/null
cmake --build build-windows --parallel
(cd build-windows && cpack -G ZIP >/dev/null)
cmake --build build-windows --target installer >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
zip=build-windows/menvori-$version-windows-x64.zip
setup=build-windows/menvori-$version-setup.exe
for f in "$zip" "$setup"; do
  [ -s "$f" ] || fail "$f was not made"
  echo "$(basename "$f"): $(stat -c %s "$f") bytes"
done

if [ $tests -eq 1 ]; then
  echo "== Under Wine =="
  tests/in_private_session.sh tests/with_x11.sh bash tests/wine_tests.sh "$here/build-windows" "$zip" "$setup"
fi
echo "windows: done in $((SECONDS - start)) s"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Menvori for 64-bit Windows on Debian, with Debian's own packages,
# makes what a school hands out, and tests it under Wine:
#  1. Qt's base module for Windows, built by its recipe
#     (scripts/windows/qt-recipe.sh) from Debian's qt6-base source of the
#     same version as the machine's Qt 6 (whose host tools it uses). It is
#     kept in a cache outside the repository (scripts/qt/cache.sh;
#     MENVORI_WINDOWS_CACHE, default /var/cache/menvori-windows as root,
#     ~/.cache/menvori-windows otherwise) and built again only when that
#     version, the recipe or the compilers change.
#  2. The program and its logic and drawing tests, in build-windows/ (which
#     starts clean when it was made with another Qt), and there the files a
#     school hands out, named in build-windows/windows-files.txt:
#     menvori-<version>-windows-x64.zip, menvori-<version>-setup.exe,
#     menvori-<version>-windows-x64.msi and menvori-<version>-source.tar.xz,
#     the source of everything the other three hold.
#  3. Unless --no-tests, under Wine in Xvfb, in private Wine prefixes made in
#     a scratch folder and removed afterwards (tests/wine_tests.sh): the
#     logic and drawing tests, the drill in the unzipped program, the
#     installer and the MSI. Their screenshots go to build-windows/wine-shots.
# It installs the Debian packages of `scripts/setup.sh windows` and nothing
# else, and writes nothing outside build-windows/, the cache and its scratch
# folders. Debian's mirrors: MENVORI_MIRROR (default deb.debian.org).
#   bash scripts/windows.sh [--no-tests]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
source scripts/lib.sh
tests=$(tests_wanted windows.sh "$@") || exit 2
set_script_name windows
start=$SECONDS
# Whatever ends the run, what it made to undo is undone, and a failure ends
# with a line that says so.
finish() {
  local status=$?
  run_at_exit
  [ $status -eq 0 ] || echo "windows: FAIL (status $status) after $((SECONDS - start)) s" >&2
  exit $status
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

bash scripts/setup.sh windows

need windows x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix \
  x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 makensis:nsis wixl:wixl dpkg-source:dpkg-dev \
  xz:xz-utils cmake:cmake ninja:ninja-build python3:python3 flock:util-linux
source scripts/windows/wine.sh
find_wine || fail "Wine is missing"

# The Qt for Windows (scripts/windows/qt-recipe.sh), built once into the
# cache, and the source it was built from.
source scripts/qt/cache.sh
recipe=scripts/windows/qt-recipe.sh
cache=$(cache_folder menvori-windows "${MENVORI_WINDOWS_CACHE:-}")
qt_ready "$recipe" "$cache"
qt=$(qt_entry "$recipe" "$cache")
qt_source=$(qt_source_folder "$cache")

echo "== Menvori for Windows, in build-windows =="
build="build-windows"
# A build folder made with another Qt would go on using it (CMake only
# warns): it starts clean.
if [ -e "$build" ] && [ "$(cat "$build/menvori-qt.txt" 2>/dev/null)" != "$qt" ]; then
  echo "$build was made with another Qt ($(cat "$build/menvori-qt.txt" 2>/dev/null || echo "not recorded")): starting it clean"
  rm -rf "$build"
fi
export MENVORI_QT=$qt
# Debian's Qt 6.8 leaves out the plugins a program does not name unless asked
# (its enable_skip_plugins.patch): the Windows platform plugin is shipped.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$qt/mingw-w64-x86_64.cmake" -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$here/scripts/windows/wine-run.sh" \
  -DBUILD_TESTING=ON -DMENVORI_TOOLS=OFF -DMENVORI_BENCH=OFF >/dev/null
echo "$qt" >"$build/menvori-qt.txt"
cmake --build "$build" --parallel
(cd "$build" && cpack -G ZIP >/dev/null)
cmake --build "$build" --target packages >/dev/null
# The names of the files, as the build gave them (windows-files.txt: a kind
# and a file name a line).
declare -A made
while read -r kind name; do
  made[$kind]=$build/$name
done <"$build/windows-files.txt"
for kind in zip setup msi source; do
  [ -n "${made[$kind]:-}" ] || fail "$build/windows-files.txt names no $kind"
done
mapfile -t recipe_files < <(qt_recipe_files "$recipe")
bash scripts/source-archive.sh "${made[source]}" "$qt_source" "${recipe_files[@]}"
for kind in zip setup msi source; do
  [ -s "${made[$kind]}" ] || fail "${made[$kind]} was not made"
  echo "$(basename "${made[$kind]}"): $(stat -c %s "${made[$kind]}") bytes"
done

if [ "$tests" -eq 1 ]; then
  echo "== Under Wine =="
  cmake --build "$build" --target test_packages >/dev/null
  tests/in_private_session.sh tests/with_x11.sh bash tests/wine_tests.sh "$here/$build"
fi
echo "windows: done in $((SECONDS - start)) s"

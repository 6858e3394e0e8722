#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Menvori for 64-bit Windows on Debian, with Debian's own packages,
# makes what a school hands out, and tests it under Wine:
#  1. Qt's base module for Windows, built by scripts/windows/build-qt.sh from
#     Debian's qt6-base source of the same version as the machine's Qt 6
#     (whose host tools it uses). It is kept in a cache outside the
#     repository (MENVORI_WINDOWS_CACHE; default /var/cache/menvori-windows
#     as root, ~/.cache/menvori-windows otherwise) and built again only when
#     that version, the recipe or the compilers change. A build that did not
#     finish is never taken for a finished one, and runs that share the
#     cache take turns (a lock in it).
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
WHO=windows
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

# need COMMAND PACKAGE: stops, naming the package, where COMMAND is missing.
need() {
  command -v "$1" >/dev/null \
    || fail "$1 is missing: on Debian it comes with the package $2 (bash scripts/setup.sh windows installs it)"
}
need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
need x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
need makensis nsis
need wixl wixl
need dpkg-source dpkg-dev
need xz xz-utils
need cmake cmake
need ninja ninja-build
need python3 python3
need flock util-linux
source scripts/windows/wine.sh
find_wine || fail "Wine is missing"

# The machine's Qt 6, whose host tools (moc, rcc, uic) the Windows Qt uses.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) \
  || fail "qt6-base-dev is not installed (bash scripts/setup.sh windows installs it)"
codename=$(machine_suite) || fail "not a Debian release Menvori is built on"

# The cache entry is named by the source version and a digest of everything
# that decides what the build makes: the recipe, the toolchain file, and the
# versions of the compilers, the MinGW-w64 runtime and the linker.
recipe=(scripts/windows/build-qt.sh scripts/windows/mingw-w64-x86_64.cmake)
key=$( (cat "${recipe[@]}"; dpkg-query -W g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix-runtime \
  mingw-w64-x86-64-dev binutils-mingw-w64-x86-64) | sha256sum | cut -c1-12)
cache=$(cache_folder menvori-windows "${MENVORI_WINDOWS_CACHE:-}")
qt=$cache/qt-${qt_version//[:~]/_}-$key
qt_source=$cache/source/${qt_version//[:~]/_}
mkdir -p "$cache"
# Runs that share the cache take turns: a run that may build or remove
# holds the lock alone, runs that only read a finished Qt share it.
exec {cache_lock}>"$cache/lock"
if ! flock -n "$cache_lock"; then
  echo "== waiting for another run that uses $cache =="
  flock -w 3600 "$cache_lock" || fail "$cache stayed locked by another run for an hour"
fi

# Debian's qt6-base source package of exactly the machine's version, fetched
# with a private source list, index and download folder under the cache:
# the machine's own apt configuration and state are left as they are.
fetch_qt_source() {
  local mirror=${MENVORI_MIRROR:-http://deb.debian.org/debian}
  local security=${MENVORI_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
  local keyring=/usr/share/keyrings/debian-archive-keyring.gpg apt=$cache/apt-$codename
  [ -r "$keyring" ] || fail "$keyring is missing: on Debian it comes with the package debian-archive-keyring"
  rm -rf "$qt_source.part"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$qt_source.part"
  printf 'deb-src [signed-by=%s] %s\n' "$keyring" "$mirror $codename main" "$keyring" "$mirror $codename-updates main" \
    "$keyring" "$security $codename-security main" >"$apt/sources.list"
  local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root -q)
  apt-get "${options[@]}" --error-on=any update >"$apt/update.log" 2>&1 \
    || { cat "$apt/update.log" >&2; fail "could not download Debian's source index from $mirror (network, or MENVORI_MIRROR)"; }
  (cd "$qt_source.part" && apt-get "${options[@]}" source --download-only "qt6-base=$qt_version") >"$apt/source.log" 2>&1 \
    || { cat "$apt/source.log" >&2
         fail "could not download Debian's qt6-base $qt_version source from $mirror (where Debian has a newer one, upgrade the machine's qt6-base-dev to it)"; }
  mv "$qt_source.part" "$qt_source"
}

# discard_unfinished: removes the Qt being built unless it was finished, so
# that nothing a failed or interrupted run leaves is taken for a finished Qt
# (the stamp is written last).
discard_unfinished() { [ -e "$qt/.complete" ] || rm -rf "$qt"; }

build_qt() {
  echo "== Qt $qt_version for Windows: not in the cache, building it into $qt =="
  # What a run that was killed outright left behind (no other run is
  # building: this one holds the lock alone).
  rm -rf "$qt" "$cache"/work.*
  [ -d "$qt_source" ] || fetch_qt_source
  local dsc=$qt_source/qt6-base_${qt_version#*:}.dsc work qt_start=$SECONDS
  [ -f "$dsc" ] || fail "no $dsc after the download"
  work=$(mktemp -d "$cache/work.XXXXXX")
  at_exit rm -rf "$work"
  at_exit discard_unfinished
  nice -n 10 bash scripts/windows/build-qt.sh "$dsc" "$qt" "$work" || fail "building Qt"
  touch "$qt/.complete"
  echo "Qt built in $((SECONDS - qt_start)) s"
}

if [ -e "$qt/.complete" ]; then
  echo "== Qt $qt_version for Windows: from the cache, $qt =="
else
  build_qt
fi
# From here on the Qt is only read, and other runs may read it too.
flock -s "$cache_lock"

echo "== Menvori for Windows, in build-windows =="
build=build-windows
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
bash scripts/source-archive.sh "${made[source]}" "$qt_source" "${recipe[@]}"
for kind in zip setup msi source; do
  [ -s "${made[$kind]}" ] || fail "${made[$kind]} was not made"
  echo "$(basename "${made[$kind]}"): $(stat -c %s "${made[$kind]}") bytes"
done

if [ $tests -eq 1 ]; then
  echo "== Under Wine =="
  cmake --build "$build" --target test_packages >/dev/null
  # The servers the tests start (X, D-Bus, Wine's) do not inherit the lock:
  # one left running would hold it after this run.
  tests/in_private_session.sh tests/with_x11.sh bash tests/wine_tests.sh "$here/$build" {cache_lock}>&-
fi
echo "windows: done in $((SECONDS - start)) s"

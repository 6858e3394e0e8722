#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The web build proper, run by scripts/web.sh on Debian 13 (the machine, or
# a Debian 13 root), from the repository's top folder:
#  1. Qt's base module for WebAssembly, built by its recipe
#     (scripts/web/qt-recipe.sh) with Debian's emscripten from Debian's
#     qt6-base source of the same version as the Qt tools installed here
#     (which it runs), statically, with only what the program and its tests
#     use, and kept in CACHE (scripts/qt/cache.sh) with the patched source it
#     was built from.
#  2. The program, its page (build-web/page) with Qt's licence and notices
#     made from that source, and menvori-<version>-web.zip with its source
#     archive, in build-web/.
#  3. If TESTS is 1, the logic tests built for WebAssembly, under node.
#   build.sh CACHE TESTS
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib.sh
set_script_name "web build"
trap run_at_exit EXIT
# Stopped by a signal, it still removes what it has not finished.
trap 'exit 1' INT TERM HUP
cache=$1
tests=$2

export EMSDK=/usr/share/emscripten
need web-build em++:emscripten node:nodejs dpkg-source:dpkg-dev cmake:cmake ninja:ninja-build python3:python3
[ "$(machine_suite)" = trixie ] || fail "the web build needs Debian 13 (trixie)"

# The Qt for WebAssembly (scripts/web/qt-recipe.sh), built once into the
# cache, and the source it was built from.
source scripts/qt/cache.sh
recipe=scripts/web/qt-recipe.sh
qt_ready "$recipe" "$cache"
qt=$(qt_entry "$recipe" "$cache")
qt_source=$(qt_source_folder "$cache")

echo "== Menvori for the web, in build-web =="
# A build folder made with another Qt starts clean: CMake keeps the Qt it
# first found.
if [[ -f build-web/CMakeCache.txt ]] && ! grep -qxF "Qt6_DIR:PATH=$qt/lib/cmake/Qt6" build-web/CMakeCache.txt; then
  rm -rf build-web
fi
mkdir -p build-web
# The page allows the one style sheet the platform writes into it.
log=build-web/build.log
"$qt/bin/qt-cmake" -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DBUILD_TESTING=ON -DMENVORI_TOOLS=OFF -DMENVORI_BENCH=ON \
  -DMENVORI_WEB_STYLE_SOURCES="$(cat "$qt/screen-style-digest")" >"$log" 2>&1 \
  || { cat "$log" >&2; fail "configuring the program's build"; }
nice -n 10 cmake --build build-web >>"$log" 2>&1 \
  || { grep -B5 -A20 -m3 'FAILED\|error:' "$log" >&2; fail "the program's build"; }
rm -f build-web/menvori-*-web.zip
(cd build-web && cpack -G ZIP >/dev/null)
zips=(build-web/menvori-*-web.zip)
[[ ${#zips[@]} -eq 1 && -s ${zips[0]} ]] || fail "no menvori-*-web.zip was made"
wasm=(build-web/page/menvori.*.wasm)
echo "$(basename "${zips[0]}"): $(stat -c %s "${zips[0]}") bytes; the program's code $(stat -c %s "${wasm[0]}") bytes, $(gzip -9 -c "${wasm[0]}" | wc -c) gzipped"
# The source the licences require, to go out beside the zip.
mapfile -t recipe_files < <(qt_recipe_files "$recipe")
bash scripts/source-archive.sh "${zips[0]%-web.zip}-web-source.tar.xz" "$qt_source" "${recipe_files[@]}"

if [ "$tests" -eq 1 ]; then
  echo "== Logic tests built for WebAssembly, under node =="
  (cd build-web && ctest --output-on-failure --no-tests=error)
fi

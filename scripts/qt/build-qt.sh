#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Qt's base module for another system from Debian's qt6-base source
# package (its upstream source with Debian's patches), as a recipe says,
# using the machine's Qt 6 of the same version for the host tools (moc, rcc,
# uic). Each system has its recipe (scripts/windows/qt-recipe.sh,
# scripts/web/qt-recipe.sh): a file of bash functions, sourced here, that
# the steps below call:
#   recipe_title                 for whom the Qt is ("for Windows")
#   recipe_options               Qt's configuration options, one a line
#   recipe_patches               the recipe's own patches to Qt's source, a
#                                file name a line, beside the recipe
#   recipe_configure SOURCE BUILD PREFIX HOST_CMAKE OPTION...
#                                configures the build folder BUILD
#   recipe_install BUILD         installs what was built
#   recipe_finish SOURCE PREFIX  what the recipe adds to the installed Qt
#   recipe_files                 the other files it uses, beside it
#   recipe_tag, recipe_digest_inputs  what names the Qt in a cache
#                                (scripts/qt/cache.sh)
#   build-qt.sh RECIPE DSC PREFIX WORK
# DSC is the source package's .dsc, beside its other files; PREFIX, which
# must not exist, receives the built Qt, and in PREFIX/debian-source the
# patched source it was built from (the licences and notices are taken from
# there) and PREFIX/source-deps.txt the files each object was compiled from
# (ninja's record, with absolute paths). WORK is a scratch folder.
# scripts/qt/cache.sh runs it and keeps its result in a cache; anyone can run
# it the same way to rebuild that Qt, e.g. from the source archive, where the
# recipe's files lie beside it.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: build-qt.sh RECIPE DSC PREFIX WORK" >&2; exit 2; }
recipe=$(realpath "$1")
dsc=$(realpath "$2")
prefix=$(realpath -m "$3")
work=$(realpath -m "$4")
# shellcheck source=/dev/null # the recipe named on the command line
source "$recipe"

# failed WHAT LOG: shows the end of LOG and ends, saying what failed.
failed() {
  [ ! -f "$2" ] || tail -40 "$2" >&2
  echo "build-qt: $1 failed" >&2
  exit 1
}

[ ! -e "$prefix" ] || { echo "build-qt: $prefix exists" >&2; exit 1; }
host_cmake=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake
[ -d "$host_cmake/Qt6" ] || { echo "build-qt: the host's Qt 6 CMake files are not in $host_cmake" >&2; exit 1; }
mkdir -p "$work" "$prefix"
source=$prefix/debian-source
# apt checked every file against Debian's signed index when it downloaded
# them; dpkg-source, which cannot check the signature of the .dsc itself
# without debian-keyring, says so in its log.
dpkg-source -x "$dsc" "$source" >"$work/unpack.log" 2>&1 || failed "unpacking $dsc" "$work/unpack.log"
while read -r patch; do
  patch -d "$source" -p1 --quiet <"$(dirname "$recipe")/$patch" || failed "applying $patch to Qt's source" /dev/null
done < <(recipe_patches)

mapfile -t options < <(recipe_options)
recipe_configure "$source" "$work/build" "$prefix" "$host_cmake" "${options[@]}" >"$work/configure.log" 2>&1 \
  || failed "Qt's configuration" "$work/configure.log"
# ninja ends what it runs when it is ended, as it is when this script is.
ninja -C "$work/build" >"$work/build.log" 2>&1 &
ninja=$!
trap 'kill "$ninja" 2>/dev/null || true' EXIT
trap 'exit 1' INT TERM HUP
wait "$ninja" || { grep -B5 -A20 -m3 'FAILED\|error:' "$work/build.log" >&2; failed "Qt's build" /dev/null; }
trap - EXIT
recipe_install "$work/build" >"$work/install.log" 2>&1 || failed "installing Qt" "$work/install.log"
recipe_finish "$source" "$prefix"
# ninja names the files an object was compiled from relative to the build
# folder, which goes: they are recorded with its path in front.
(cd "$work/build" && ninja -t deps) | awk -v build="$work/build" '/^    [^\/]/ { sub(/^    /, "    " build "/") } { print }' \
  >"$prefix/source-deps.txt"

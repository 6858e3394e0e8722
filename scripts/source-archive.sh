#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the source archive that goes out with the program built for another
# system (Windows, the web), as the licences require of whoever hands it out
# (GPL-3.0 section 6, LGPL-3.0 section 4): the complete source of everything
# the program's files hold that is not the compiler's runtime.
#   source-archive.sh OUTPUT QT_SOURCE_FOLDER RECIPE_FILE...
# OUTPUT       menvori-<version>-source.tar.xz; its top folder takes its name
# QT_SOURCE_FOLDER  Debian's qt6-base source package the Qt was built from,
#              as `apt-get source --download-only` fetched it: its .dsc and
#              the files the .dsc names (upstream's source, Debian's patches)
# RECIPE_FILE  the files of the recipe that built that Qt from it
# The archive holds, in its top folder:
#   menvori/    this repository's tree as it was built: the files git tracks
#               and those it does not ignore, as they are in the working tree
#               (outside git, the whole tree but the build folders)
#   qt6-base/   the source package, checked against its .dsc
#   qt-recipe/  the recipe files
#   README.txt  what is where, and the revision of the program's tree
# Files are stored in name order, owned by root, with the time of the last
# commit, so that the same tree gives the same archive.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/lib.sh"
set_script_name source-archive
trap run_at_exit EXIT
[ $# -ge 3 ] || { echo "usage: source-archive.sh OUTPUT QT_SOURCE_FOLDER RECIPE_FILE..." >&2; exit 2; }
output=$(realpath -m "$1")
qt_source=$2
shift 2
name=$(basename "$output" .tar.xz)
[ "$name.tar.xz" = "$(basename "$output")" ] || fail "$output: the archive's name ends in .tar.xz"

scratch=$(mktemp -d)
at_exit rm -rf "$scratch"
top=$scratch/$name
mkdir -p "$top/menvori" "$top/qt6-base" "$top/qt-recipe"

# The program's tree.
if git -C "$here" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # Tracked files deleted in the working tree are not part of what was built.
  git -C "$here" ls-files -z --cached --others --exclude-standard \
    | (cd "$here" && tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -C "$top/menvori" -xf -
  revision="git commit $(git -C "$here" rev-parse HEAD)"
  [ -z "$(git -C "$here" status --porcelain)" ] || revision+=", with the changes in the working tree then"
  stamp=$(git -C "$here" log -1 --format=%ct)
else
  tar -C "$here" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$top/menvori" -xf -
  revision="a tree outside git"
  stamp=$(date +%s)
fi

# Debian's source package: one .dsc, and every file it names, as it names it.
dscs=("$qt_source"/*.dsc)
[[ ${#dscs[@]} -eq 1 && -f ${dscs[0]} ]] || fail "$qt_source holds no single .dsc"
cp "${dscs[0]}" "$top/qt6-base/"
while read -r sum _ file; do
  [ -f "$qt_source/$file" ] || fail "$qt_source lacks $file, which $(basename "${dscs[0]}") names"
  echo "$sum  $qt_source/$file" | sha256sum --quiet -c - || fail "$qt_source/$file differs from $(basename "${dscs[0]}")"
  cp "$qt_source/$file" "$top/qt6-base/"
done < <(awk '/^Checksums-Sha256:/ {on = 1; next} /^[^ ]/ {on = 0} on && NF == 3' "${dscs[0]}")

cp "$@" "$top/qt-recipe/"

cat >"$top/README.txt" <<EOF
$name

The complete source of the files of Menvori that go out with this archive,
but the compiler's own runtime, whose licences do not require its source
(for Windows: GCC's, under the GCC Runtime Library Exception, and
MinGW-w64's, under MIT-style licences; their source is in Debian's source
packages gcc-mingw-w64 and mingw-w64. For the web: emscripten's C and C++
libraries, under MIT-style and Apache-2.0 licences; their source is in
Debian's source package emscripten).

menvori/    Menvori's source as it was built: $revision.
            Its README.md says how it is built, for Windows
            (scripts/windows.sh) and the other systems.
qt6-base/   The Qt it was built with: Debian's qt6-base source package,
            $(basename "${dscs[0]}") with the files it names (Qt's upstream
            source and Debian's patches). Unpacked with
            dpkg-source -x $(basename "${dscs[0]}")
            it gives the patched source the Qt was built from.
qt-recipe/  The recipe that built that Qt from it: $(cd "$top/qt-recipe" && echo *).
            The same files are in menvori/ (scripts/qt/ and the system's
            folder in scripts/), where the build scripts run them;
            build-qt.sh's first lines say how.
EOF

mkdir -p "$(dirname "$output")"
tar -C "$scratch" --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$stamp" -cf - "$name" \
  | xz -6 -T2 >"$output.part"
mv "$output.part" "$output"
echo "source archive: $output, $(stat -c %s "$output") bytes"

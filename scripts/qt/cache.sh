# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# Sourced by the builds for another system (scripts/windows.sh,
# scripts/web/build.sh): the one way they get their Qt. A cache folder keeps
# Debian's qt6-base source package of the machine's Qt version (source/),
# fetched with a private source list, index and download folder (the
# machine's own apt configuration and state are left as they are), and each
# Qt built from it by a recipe (scripts/qt/build-qt.sh), in a folder named by
# that version, the recipe's tag and a digest of what decides what the build
# makes: the recipe's options and patches and what else the recipe names
# (recipe_digest_inputs). A Qt is stamped when complete; one that did not
# finish is removed, and a complete one is never removed. Runs that share
# the cache take turns (a lock in it) while they fetch or build: a second
# run waits, then finds the first's Qt.
#   qt_entry RECIPE CACHE   prints the folder of the Qt RECIPE builds in CACHE
#   qt_source_folder CACHE  prints the folder of Debian's source package there
#   qt_ready RECIPE CACHE   fetches the source and builds the Qt where they
#                           are not in CACHE yet
#   qt_recipe_files RECIPE  prints the files that make the recipe, a line each
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

# qt_host_version: the version of the machine's Qt 6 (whose host tools the
# Qt built here uses), which is the version of the source it is built from.
qt_host_version() {
  dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null \
    || fail "qt6-base-dev is not installed (bash scripts/setup.sh installs it)"
}

# qt_in_name VERSION: a version as it stands in a file name.
qt_in_name() { echo "${1//[:~+]/_}"; }

# qt_recipe RECIPE FUNCTION: what a function of the recipe prints, the recipe
# read in a shell of its own.
qt_recipe() {
  # shellcheck source=/dev/null # the recipe named by the caller
  (source "$1" && "$2")
}

qt_entry() {
  local recipe=$1 cache=$2 version tag digest
  version=$(qt_host_version)
  tag=$(qt_recipe "$recipe" recipe_tag) || fail "$recipe: no tag"
  digest=$( (qt_recipe "$recipe" recipe_options
    qt_recipe "$recipe" recipe_patches | while read -r patch; do cat "$(dirname "$recipe")/$patch"; done
    qt_recipe "$recipe" recipe_digest_inputs) | sha256sum | cut -c1-12)
  echo "$cache/qt-$(qt_in_name "$version")${tag:+-$tag}-$digest"
}

qt_source_folder() {
  echo "$1/source/$(qt_in_name "$(qt_host_version)")"
}

qt_recipe_files() {
  local recipe=$1 file
  echo "$(dirname "${BASH_SOURCE[0]}")/build-qt.sh"
  echo "$recipe"
  qt_recipe "$recipe" recipe_files | while read -r file; do echo "$(dirname "$recipe")/$file"; done
}

# qt_fetch_source CACHE: downloads Debian's qt6-base source package of the
# machine's Qt version from Debian's mirrors (debian_mirror); a download that
# did not finish is never taken for a finished one.
qt_fetch_source() {
  local cache=$1 version codename folder apt keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  local mirror security
  version=$(qt_host_version)
  codename=$(machine_suite) || fail "not a Debian release Menvori is built on"
  folder=$(qt_source_folder "$cache")
  apt=$cache/apt-$codename
  mirror=$(debian_mirror)
  security=$(debian_security_mirror)
  [ -r "$keyring" ] || fail "$keyring is missing: on Debian it comes with the package debian-archive-keyring"
  rm -rf "$folder.part"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$folder.part"
  printf 'deb-src [signed-by=%s] %s\n' "$keyring" "$mirror $codename main" "$keyring" "$mirror $codename-updates main" \
    "$keyring" "$security $codename-security main" >"$apt/sources.list"
  local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root -q)
  apt-get "${options[@]}" --error-on=any update >"$apt/update.log" 2>&1 \
    || { cat "$apt/update.log" >&2; fail "could not download Debian's source index from $mirror (network, or MENVORI_MIRROR)"; }
  (cd "$folder.part" && apt-get "${options[@]}" source --download-only "qt6-base=$version") >"$apt/source.log" 2>&1 \
    || { cat "$apt/source.log" >&2
         fail "could not download Debian's qt6-base $version source from $mirror (where Debian has a newer one, upgrade the machine's qt6-base-dev to it)"; }
  mv "$folder.part" "$folder"
}

# qt_discard_unfinished QT: removes the Qt being built unless it was
# finished, so that nothing a failed or interrupted run leaves is taken for a
# finished Qt (the stamp is written last).
qt_discard_unfinished() { [ -e "$1/.complete" ] || rm -rf "$1"; }

# qt_build RECIPE CACHE: builds the Qt; runs with the lock held alone.
qt_build() {
  local recipe=$1 cache=$2 qt version dsc work start=$SECONDS
  qt=$(qt_entry "$recipe" "$cache")
  version=$(qt_host_version)
  dsc=$(qt_source_folder "$cache")/qt6-base_${version#*:}.dsc
  echo "== Qt $version $(qt_recipe "$recipe" recipe_title): not in the cache, building it into $qt =="
  # What a run that was killed outright left behind (no other run is
  # building: this one holds the lock).
  rm -rf "$qt" "$cache"/work.*
  [ -f "$dsc" ] || fail "no $dsc in the cache"
  work=$(mktemp -d "$cache/work.XXXXXX")
  at_exit rm -rf "$work"
  at_exit qt_discard_unfinished "$qt"
  nice -n 10 bash "$(dirname "${BASH_SOURCE[0]}")/build-qt.sh" "$recipe" "$dsc" "$qt" "$work" || fail "building Qt"
  touch "$qt/.complete"
  rm -rf "$work"
  echo "Qt built in $((SECONDS - start)) s"
}

qt_ready() {
  local recipe=$1 cache=$2 qt lock
  qt=$(qt_entry "$recipe" "$cache")
  mkdir -p "$cache"
  exec {lock}>"$cache/lock"
  if ! flock -n "$lock"; then
    echo "== waiting for another run that uses $cache =="
    flock -w 7200 "$lock" || fail "$cache stayed locked by another run for two hours"
  fi
  [ -d "$(qt_source_folder "$cache")" ] || qt_fetch_source "$cache"
  if [ -e "$qt/.complete" ]; then
    echo "== Qt $(qt_host_version) $(qt_recipe "$recipe" recipe_title): from the cache, $qt =="
  else
    qt_build "$recipe" "$cache"
  fi
  # What runs next (servers the tests start too) does not keep the lock.
  exec {lock}>&-
}

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Menvori needs, and no others:
#   setup.sh run    what building and running it need: a compiler, CMake, Qt
#   setup.sh test   that, and what its tests and checks need
# Safe to run again: packages already present are not touched, and nothing
# is asked. Runs as root, or through sudo otherwise.
set -euo pipefail

build=(g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins fonts-liberation2)
testing=(
  # the sanitizer build and the fuzzer
  clang libclang-rt-14-dev
  # real-window tests and pictures
  xvfb xdotool openbox imagemagick x11-utils xclip python3
  # screen-reader tests over AT-SPI
  dbus at-spi2-core python3-pyatspi python3-gi gir1.2-atspi-2.0
  # install, package and licence checks
  desktop-file-utils appstream dpkg-dev file libglib2.0-bin lintian reuse
)

case "${1:-}" in
  run) packages=("${build[@]}") ;;
  test) packages=("${build[@]}" "${testing[@]}") ;;
  *) echo "usage: setup.sh run|test" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages present"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi

echo "setup: installing ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"

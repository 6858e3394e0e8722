#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Menvori needs, and no others:
#   setup.sh run      what building and running it need: a compiler, CMake, Qt
#   setup.sh test     that, and what its tests and checks need
#   setup.sh windows  what building it for Windows and testing it under Wine
#                     need (scripts/windows.sh)
# Safe to run again: packages already present are not touched, and nothing
# is asked. Runs as root, or through sudo otherwise.
set -euo pipefail

# The releases this is tested on; their package names are the same.
release=$(. /etc/os-release 2>/dev/null && echo "${ID:-}-${VERSION_CODENAME:-}")
case $release in
  debian-bookworm | debian-trixie) ;;
  *)
    echo "setup: this is '${release}'; Menvori is set up and tested on Debian 12 (bookworm) and 13 (trixie) only" >&2
    exit 3 ;;
esac

build=(g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins fonts-liberation2)
testing=(
  # the sanitizer build and the fuzzer; llvm-symbolizer names the frames of
  # sanitizer reports, which the leak suppressions match by name
  clang libclang-rt-dev llvm
  # real-window tests and pictures, each in a private D-Bus session
  xvfb xdotool openbox imagemagick x11-utils xclip python3 dbus
  # the same on Wayland: a headless compositor, its keyboard and screenshots
  sway wtype grim wl-clipboard qt6-wayland
  # screen-reader tests over AT-SPI
  at-spi2-core python3-pyatspi python3-gi gir1.2-atspi-2.0
  # install, package and licence checks (reuse reads the files git tracks)
  desktop-file-utils appstream dpkg-dev file libglib2.0-bin lintian reuse git
  # the fresh-machine check
  debootstrap
)

windows=(
  # Qt's source, as Debian ships it, and its unpacking
  dpkg-dev xz-utils
  # the cross compilers (the -posix ones, with std::thread), the installer maker
  g++-mingw-w64-x86-64-posix nsis
  # the tests under Wine, in a real X window
  wine64 xvfb xdotool openbox imagemagick x11-utils xclip python3 dbus unzip
)

case "${1:-}" in
  run) packages=("${build[@]}") ;;
  test) packages=("${build[@]}" "${testing[@]}") ;;
  windows) packages=("${build[@]}" "${windows[@]}") ;;
  *) echo "usage: setup.sh run|test|windows" >&2; exit 2 ;;
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

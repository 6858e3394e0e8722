#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Menvori
# needs. Safe to run again: packages already present are not touched, and
# nothing is asked. Runs as root, or through sudo otherwise.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  # real-window tests and screenshots
  xvfb xauth xdotool openbox wmctrl imagemagick x11-utils python3
  # sanitizers, fuzzing and leak checks
  clang libclang-rt-14-dev valgrind
  # screen-reader tests over AT-SPI
  dbus dbus-x11 at-spi2-core python3-pyatspi python3-gi gir1.2-atspi-2.0
  # install and package checks
  desktop-file-utils appstream dpkg-dev file libglib2.0-bin
)

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
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Menvori needs, and no others, as listed in
# scripts/packages.txt:
#   setup.sh run      what building and running it need: a compiler, CMake, Qt
#   setup.sh test     that, and what its tests and checks need
#   setup.sh windows  what building it for Windows and testing it under Wine
#                     need (scripts/windows.sh)
#   setup.sh web      what testing the web build in browsers needs
#   setup.sh web-build  what building it needs, on Debian 13 (scripts/web.sh)
# Safe to run again: packages already present are not touched, and nothing
# is asked. Runs as root, or through sudo otherwise.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
set_script_name setup
machine_suite >/dev/null || exit 3

case "${1:-}" in
  run) set=build ;;
  test | windows | web | web-build) set=$1 ;;
  *) echo "usage: setup.sh run|test|windows|web|web-build" >&2; exit 2 ;;
esac
mapfile -t packages < <(awk -v set="$set" '
  /^[^#]/ && NF >= 2 { n = split($2, sets, ","); for (i = 1; i <= n; i++) if (sets[i] == "build" || sets[i] == set) { print $1; break } }
' "$here/packages.txt")

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

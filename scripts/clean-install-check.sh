#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian package on a clean Debian 12 system and starts the
# program from its menu entry: a minimal Debian 12 is made with debootstrap in
# a scratch folder, the package is installed there with apt (which fetches its
# dependencies), and the desktop entry is launched with gio in that system,
# showing on an Xvfb display of the host. Needs root and Debian's mirrors.
# Usage: bash scripts/clean-install-check.sh [build folder]  (after cpack)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
deb=$(realpath "$(ls -t "$build"/menvori_*.deb | head -n 1)")
root=${CLEAN_ROOT:-/tmp/menvori-clean-root}
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v debootstrap >/dev/null || apt-get install -y -q debootstrap >/dev/null
[ -x "$root/usr/bin/apt-get" ] || debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian

# Ends the processes running inside the scratch system, and only those: the
# ones whose root folder is it.
end_scratch_processes() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill "${p#/proc/}" 2>/dev/null || true
  done
}
mounts=()
cleanup() {
  end_scratch_processes
  for m in "${mounts[@]}"; do umount -l "$m" 2>/dev/null || true; done
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
mount -t proc proc "$root/proc" && mounts+=("$root/proc")
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix" && mounts+=("$root/tmp/.X11-unix")

cp "$deb" "$root/tmp/"
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$deb")" libglib2.0-bin \
  | grep -E "^(Setting up menvori|The following NEW)" || true
[ -x "$root/usr/bin/menvori" ] || fail "apt did not install the program"

source scripts/xvfb.sh
start_xvfb
chroot "$root" env DISPLAY="$DISPLAY" \
  bash -c 'export XDG_RUNTIME_DIR=$(mktemp -d); exec gio launch /usr/share/applications/cat.menvori.Menvori.desktop' &

intro=$(wait_for_window '^ $') || fail "no introduction window"
xdotool windowfocus --sync "$intro" 2>/dev/null || true
capture "$intro" "${SHOT:-/tmp/clean-intro.png}" '#FF0000' || fail "the introduction window shows no title"
xdotool key Return
main=$(wait_for_window '^Menvori$') || fail "no main window"
xdotool windowfocus --sync "$main" 2>/dev/null || true
capture "$main" "${SHOT_MAIN:-/tmp/clean-main.png}" '#FF0000' || fail "the main window shows no rest drawing"
xdotool key alt+s
poll_until 10 "the main window to close after Alt+S" sh -c "! xdotool search --onlyvisible --name '^Menvori\$'" \
  || fail "Alt+S did not end the program"
echo "clean Debian 12: package installed with apt, started from its menu entry, closed by Sortir"

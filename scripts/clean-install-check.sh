#!/usr/bin/env bash
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

mounts=()
cleanup() {
  pkill -f "$root" 2>/dev/null || true
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
start_xvfb 291 340
chroot "$root" env DISPLAY="$DISPLAY" \
  bash -c 'export XDG_RUNTIME_DIR=$(mktemp -d); exec gio launch /usr/share/applications/cat.menvori.Menvori.desktop' &

intro=$(wait_for_window '^ $') || fail "no introduction window"
xdotool windowfocus --sync "$intro" 2>/dev/null || true
import -window root "${SHOT:-/tmp/clean-intro.png}"
xdotool key Return
main=$(wait_for_window '^Menvori$') || fail "no main window"
xdotool windowfocus --sync "$main" 2>/dev/null || true
sleep 0.5
import -window root "${SHOT_MAIN:-/tmp/clean-main.png}"
xdotool key alt+s
deadline=$((SECONDS + 10))
while xdotool search --onlyvisible --name '^Menvori$' >/dev/null 2>&1 && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
echo "clean Debian 12: package installed with apt, started from its menu entry, closed by Sortir"

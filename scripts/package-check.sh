#!/usr/bin/env bash
# Checks what a desktop user gets: installs the built program into a staging
# folder and validates its desktop entry and AppStream metadata, makes the
# Debian package, and, when run as root, installs that package with apt,
# starts the program from its menu entry in a real X window, checks that the
# introduction window and then the main window come up, closes it and removes
# the package again. Usage: bash scripts/package-check.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
id=cat.menvori.Menvori
fail() { echo "FAIL: $*" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage/usr" >/dev/null
for f in usr/bin/menvori usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg; do
  [ -e "$stage/$f" ] || fail "not installed: $f"
done
for size in 16 24 32 48 64 128 256; do
  png=$stage/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -e "$png" ] || fail "no ${size}px icon"
  file "$png" | grep -q "$size x $size" || fail "the ${size}px icon is not ${size}px"
done
desktop-file-validate "$stage/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/$id.metainfo.xml"
echo "install tree, desktop entry and metainfo: valid"

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/menvori_*.deb | head -n 1)
depends=$(dpkg-deb -f "$deb" Depends)
echo "package: $(basename "$deb"), depends: $depends"
echo "$depends" | grep -q libqt6widgets6 || fail "the package's dependencies were not computed"

if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the package was built but not installed"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$(realpath "$deb")" >/dev/null
trap 'apt-get remove -y -q menvori >/dev/null 2>&1 || true; rm -rf "$stage"' EXIT
[ -x /usr/bin/menvori ] || fail "apt did not install the program"

# Start it as a menu does, from its desktop entry.
source scripts/xvfb.sh
start_xvfb 191 240
trap 'kill $XVFB_PID 2>/dev/null || true; pkill -x menvori 2>/dev/null || true; apt-get remove -y -q menvori >/dev/null 2>&1 || true; rm -rf "$stage"' EXIT
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
gio launch /usr/share/applications/$id.desktop

intro=$(wait_for_window '^ $') || fail "no introduction window"
xdotool windowfocus --sync "$intro" 2>/dev/null || true
xdotool key Return
main=$(wait_for_window '^Menvori$') || fail "no main window"
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key alt+s
deadline=$((SECONDS + 10))
while pgrep -x menvori >/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
pgrep -x menvori >/dev/null && fail "the program did not end"
echo "package installed with apt, started from its menu entry, used and closed"

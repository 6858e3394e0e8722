#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian package on a clean Debian and starts the program from
# its menu entry, as a user of that release would: the package is installed
# with apt (which fetches its dependencies) into a freshly made minimal root
# (scripts/debian-root.sh), its desktop entry is launched with gio there,
# showing on an Xvfb display of this machine, and the start of the drill is
# walked (tests/drill/scenario.sh): the introduction window, Return, the main
# window at rest, Alt+S. The package is the one in the build folder where it
# was made on this release, else one built from the committed HEAD in a
# scratch root of that release first. Needs root and Debian's mirrors; the
# roots are removed at the end.
#   clean-install-check.sh bookworm|trixie [build folder]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
suite=${1:-}
build=$(realpath -m "${2:-$here/build}")
# The display and its window manager run in a session of their own, with
# nothing from the caller's and nothing left in its home.
[ -n "${MENVORI_PRIVATE_SESSION:-}" ] || exec "$here/tests/in_private_session.sh" bash "$0" "$@"
source "$here/scripts/debian-root.sh"
is_suite "$suite" || { echo "usage: clean-install-check.sh $(suite_choices) [build folder]" >&2; exit 2; }
set_script_name "clean-install-check $suite"
trap run_at_exit EXIT
scratch=$(mktemp -d)
at_exit rm -rf "$scratch"

# package_in FOLDER: the Debian package in FOLDER, if there is one.
package_in() {
  local debs=("$1"/menvori_*.deb)
  [ -f "${debs[0]}" ] && echo "${debs[0]}"
}
deb=
[ "$(machine_suite 2>/dev/null)" != "$suite" ] || deb=$(package_in "$build") || true
if [ -z "$deb" ]; then
  echo "== clean-install-check $suite: the package, built in a scratch root of $suite =="
  make_root package-build "$suite" || fail "no Debian root to build in"
  git clone --quiet "$here" "$ROOT/root/menvori"
  in_root bash -c 'cd /root/menvori && bash scripts/setup.sh run >/dev/null &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends dpkg-dev file >/dev/null &&
    bash scripts/build.sh -DBUILD_TESTING=OFF -DMENVORI_TOOLS=OFF -DMENVORI_BENCH=OFF >/dev/null &&
    cd build && cpack -G DEB >/dev/null' || fail "building the package in $suite"
  built=$(package_in "$ROOT/root/menvori/build") || fail "the build in $suite made no package"
  deb=$scratch/$(basename "$built")
  cp "$built" "$deb"
  remove_root
fi
echo "package: $deb"

echo "== clean-install-check $suite: apt install, then the program from its menu entry =="
make_root clean-install "$suite" || fail "no Debian root"
cp "$deb" "$ROOT/tmp/"
in_root env DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$deb")" libglib2.0-bin \
  | grep -E "^(Setting up menvori|The following NEW)" || true
[ -x "$ROOT/usr/bin/menvori" ] || fail "apt did not install the program"

start_xvfb || fail "no X server"
start_wm || fail "no window manager"
mount_into /tmp/.X11-unix --bind /tmp/.X11-unix
in_root env DISPLAY="$DISPLAY" bash -c "export XDG_RUNTIME_DIR=\$(mktemp -d); exec gio launch /usr/share/applications/cat.menvori.Menvori.desktop" &

source "$here/tests/drill/x11.sh"
drill_intro "$build/clean-$suite-"
app=$(xdotool getwindowpid "$(x11_window_id " ")")
[ "$(readlink "/proc/$app/root")" = "$ROOT" ] || fail "the window is not the installed program's"
drill_windows_of "$app"
drill_begin "$build/clean-$suite-" Return
drill_end
echo "clean-install-check $suite: PASS: package installed with apt, started from its menu entry, used and closed; pictures in $build/clean-$suite-*.png"

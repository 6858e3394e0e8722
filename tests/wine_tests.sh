#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows build, tested under Wine in a real X window (run by
# scripts/windows.sh, inside in_private_session.sh and with_x11.sh), in a
# Wine prefix of its own made in a scratch folder and removed at the end:
#  1. the logic and drawing tests built for Windows (ctest -L unit, through
#     the build's emulator, on Qt's offscreen platform);
#  2. the whole drill (drill/scenario.sh) in the program of the unzipped
#     zip, as a teacher runs it: the introduction, Return, the main window at
#     rest, Alt+M with a reading typed at once, Return and a verdict, the
#     counters, Alt+C and Return at once, the resolution menu, Alt+S with
#     status 0; pictures in <build>/wine-shots: wine-intro.png,
#     wine-rest.png, wine-checked.png;
#  3. the installer, silent, for the current user and for all users: the
#     program starts from the Start menu entry, and the uninstaller, silent
#     too, leaves nothing behind.
#   wine_tests.sh <Windows build folder> <zip> <setup.exe>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
zip=$(realpath "$2")
setup=$(realpath "$3")
source "$here/../scripts/windows/wine.sh"
source "$here/drill/x11.sh"
WHO="wine tests"
trap run_at_exit EXIT
find_wine

scratch=$(mktemp -d)
at_exit rm -rf "$scratch"
start=$SECONDS
make_prefix "$scratch/prefix" || fail "no Wine prefix"
at_exit end_prefix
echo "Wine prefix made in $((SECONDS - start)) s ($("$WINE" --version))"

echo "== Logic and drawing tests, built for Windows =="
(cd "$build" && ctest -L unit --output-on-failure --no-tests=error)

echo "== The drill, in the unzipped program =="
unzip -q "$zip" -d "$scratch/zip"
programs=("$scratch"/zip/*/menvori.exe)
program=${programs[0]}
[ -f "$program" ] || fail "no menvori.exe in $(basename "$zip")"
SHOTS=$build/wine-shots
SHOT_PREFIX=wine-
mkdir -p "$SHOTS"
# The program finds everything it loads beside it: no search path is given.
start_app env -u WINEPATH "$WINE" "$program"
drill_all Return
echo "PASS: the drill under Wine, in the program of $(basename "$zip")"

echo "== The installer and its uninstaller =="
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Menvori'
# registry_value ROOT NAME: a value of the program's entry in the list of
# installed programs (ROOT HKCU or HKLM); fails where there is none.
registry_value() {
  "$WINE" reg query "$1\\$key" /v "$2" 2>/dev/null | tr -d '\r' \
    | awk -v n="$2" '$1 == n {sub(/^ *[^ ]+ +[^ ]+ +/, ""); print; f = 1} END {exit !f}'
}
# files: everything in the prefix's drive C but the temporary folders.
files() { find "$WINEPREFIX/drive_c" -path '*/Temp' -prune -o -print | sort; }
unix_path() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

for mode in CurrentUser AllUsers; do
  [ $mode = CurrentUser ] && root=HKCU || root=HKLM
  files >"$scratch/before"
  "$WINE" "$setup" /S /$mode || fail "the silent installer (/S /$mode) failed"
  location=$(registry_value $root InstallLocation) || fail "/$mode: no entry in $root's list of installed programs"
  [ "$(registry_value $root DisplayName)" = Menvori ] || fail "/$mode: the entry is not named Menvori"
  folder=$(unix_path "$location")
  [ -f "$folder/menvori.exe" ] && [ -f "$folder/platforms/qwindows.dll" ] || fail "/$mode: nothing installed in $location"
  link=$(comm -13 "$scratch/before" <(files) | grep '/Start Menu/Programs/Menvori.lnk$' || true)
  [ -n "$link" ] || fail "/$mode: no Start menu entry"
  echo "/$mode: installed in $location, Start menu entry ${link#"$WINEPREFIX/"}"

  # Started from where the Start menu entry points, as a click on it does.
  "$WINE" start /unix "$link"
  WINDOW_PID=
  SHOT_PREFIX=wine-installed-
  drill_intro
  WINDOW_PID=$(xdotool getwindowpid "$(window_id " ")")
  tr '\0' ' ' <"/proc/$WINDOW_PID/cmdline" | grep -qiF "$(basename "$location")\\menvori.exe" \
    || fail "/$mode: the window is not the installed program's: $(tr '\0' ' ' <"/proc/$WINDOW_PID/cmdline")"
  drill_begin Return
  drill_end
  gone() { ! kill -0 "$WINDOW_PID" 2>/dev/null; }
  poll_until 10 "the installed program to end" gone || fail "/$mode: the installed program did not end"
  WINDOW_PID=

  # The uninstaller copies itself to the temporary folder and goes on from
  # there: it is done when the entry and the folder are gone.
  # The command as Windows runs it: a quoted program, then its arguments.
  uninstall=$(registry_value $root QuietUninstallString) || fail "/$mode: no silent uninstall command"
  [[ $uninstall =~ ^\"([^\"]+)\"\ (.*)$ ]] || fail "/$mode: the silent uninstall command is not a quoted program: $uninstall"
  read -r -a arguments <<<"${BASH_REMATCH[2]}"
  "$WINE" "${BASH_REMATCH[1]}" "${arguments[@]}"
  uninstalled() { ! "$WINE" reg query "$root\\$key" >/dev/null 2>&1 && [ ! -e "$folder" ]; }
  poll_until 30 "the uninstaller to remove Menvori" uninstalled || fail "/$mode: the uninstaller left $folder or the entry"
  left=$(comm -13 "$scratch/before" <(files))
  [ -z "$left" ] || fail "/$mode: the uninstaller left behind: $left"
  echo "PASS: /$mode: silent install, started from the Start menu, silent uninstall left nothing behind"
done
echo "wine tests: PASS in $((SECONDS - start)) s"

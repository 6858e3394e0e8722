#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows build, tested under Wine in a real X window (run by
# scripts/windows.sh, inside in_private_session.sh and with_x11.sh), in Wine
# prefixes of its own made in a scratch folder and removed at the end:
#  unit    the logic and drawing tests built for Windows (ctest -L unit,
#          through the build's emulator, on Qt's offscreen platform);
#  drill   the whole drill (drill/scenario.sh) in the program of the
#          unzipped zip, as a teacher runs it, then, started again, Return
#          held on Nova Mesura, in the answer box and on a menu entry;
#          pictures in <build>/wine-shots: wine-intro.png, wine-rest.png,
#          wine-checked.png;
#  setup   the installer, silent: for the current user and for all users
#          the program starts from its Start menu entry and the uninstaller
#          leaves nothing behind; without /CurrentUser, as an administrator,
#          it installs into Program Files; /D= is honoured; over an older
#          version (which installed a file this one lacks) it leaves exactly
#          this version's files, and over a newer one it refuses (exit 4);
#          while the program runs, the installer and the uninstaller refuse
#          (exit 3) and change nothing;
#  msi     the MSI under Wine's msiexec: it installs the older version, the
#          current one replaces it leaving exactly its own files, the older
#          one is refused over it, and the uninstall leaves nothing behind.
# The older and newer versions are the build's test packages (target
# test_packages), named with the others in <build>/windows-files.txt.
#   wine_tests.sh <Windows build folder> [PART...]   (all four parts by default)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
shift
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(unit drill setup msi)
source "$here/../scripts/windows/wine.sh"
source "$here/drill/x11.sh"
set_script_name "wine tests"
trap run_at_exit EXIT
find_wine

# The files, by kind, as the build named them.
declare -A made
while read -r kind name; do
  made[$kind]=$build/$name
done <"$build/windows-files.txt"
stage=$build/stage

scratch=$(mktemp -d)
at_exit rm -rf "$scratch"
start=$SECONDS
# new_prefix NAME: a fresh Wine prefix for a part (the last one's server ended).
new_prefix() {
  [ -z "${WINEPREFIX:-}" ] || end_prefix
  make_prefix "$scratch/$1" || fail "no Wine prefix"
}
at_exit end_prefix
shots=$build/wine-shots
mkdir -p "$shots"

# files: everything in the prefix's drive C but the temporary folders.
files() { find "$WINEPREFIX/drive_c" -path '*/Temp' -prune -o -print | sort; }
# folder_files FOLDER: the files under FOLDER, relative to it.
folder_files() { (cd "$1" && find . -type f | sort); }
unix_path() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Menvori'
# registry_value ROOT NAME: a value of the program's entry in the list of
# installed programs (ROOT HKCU or HKLM); fails where there is none.
registry_value() {
  "$WINE" reg query "$1\\$key" /v "$2" 2>/dev/null | tr -d '\r' \
    | awk -v n="$2" '$1 == n {sub(/^ *[^ ]+ +[^ ]+ +/, ""); print; f = 1} END {exit !f}'
}
# run_windows EXPECTED WHAT PROGRAM ARGS...: runs a Windows program and
# checks its exit code.
run_windows() {
  local expected=$1 what=$2 status=0
  shift 2
  "$WINE" "$@" || status=$?
  [ $status -eq "$expected" ] || fail "$what: exit code $status, not $expected"
}
# run_command_line EXPECTED WHAT LINE: runs LINE as a command prompt does
# (from a batch file, so that nothing quotes it again: _?= takes its folder
# unquoted) and checks its exit code.
run_command_line() {
  printf '@%s\r\n@exit /b %%errorlevel%%\r\n' "$3" >"$scratch/line.bat"
  run_windows "$1" "$2" cmd /c "$(windows_path "$scratch/line.bat")"
}
# start_installed LINK STEM: starts the program as a click on the Start menu
# entry LINK does, and sets installed_app once its introduction window is up.
installed_app=
start_installed() {
  "$WINE" start /unix "$1"
  drill_windows_of ""
  drill_intro "$2"
  installed_app=$(xdotool getwindowpid "$(x11_window_id " ")")
  drill_windows_of "$installed_app"
  at_exit end_process "$installed_app"
}
gone() { ! kill -0 "$installed_app" 2>/dev/null; }
# uninstall ROOT: runs the silent uninstall command of the entry in ROOT, as
# a deployment tool does, and waits until the entry and the folder are gone
# (the uninstaller copies itself to the temporary folder and goes on from
# there).
uninstall() {
  local root=$1 command folder
  folder=$(unix_path "$(registry_value "$root" InstallLocation)")
  command=$(registry_value "$root" QuietUninstallString) || fail "$root: no silent uninstall command"
  # The command as Windows runs it: a quoted program, then its arguments.
  [[ $command =~ ^\"([^\"]+)\"\ (.*)$ ]] || fail "the silent uninstall command is not a quoted program: $command"
  read -r -a arguments <<<"${BASH_REMATCH[2]}"
  run_windows 0 "the silent uninstaller" "${BASH_REMATCH[1]}" "${arguments[@]}"
  poll_until 30 "the uninstaller to remove Menvori" uninstalled "$root" "$folder" || fail "$root: the uninstaller left $folder or the entry"
}
# uninstalled ROOT FOLDER: the entry in ROOT and the folder are gone.
uninstalled() { ! "$WINE" reg query "$1\\$key" >/dev/null 2>&1 && [ ! -e "$2" ]; }
# exactly_this_version FOLDER WHAT [FILE...]: FOLDER holds this version's
# files and no other (but FILE..., as ./name).
exactly_this_version() {
  local folder=$1 what=$2
  shift 2
  diff <({ folder_files "$stage"; [ $# -eq 0 ] || printf '%s\n' "$@"; } | sort) <(folder_files "$folder") >"$scratch/diff" || true
  [ ! -s "$scratch/diff" ] || fail "$what: the installed files differ from this version's: $(tr '\n' ' ' <"$scratch/diff")"
}

part_unit() {
  echo "== Logic and drawing tests, built for Windows =="
  new_prefix unit
  (cd "$build" && ctest -L unit --output-on-failure --no-tests=error)
}

part_drill() {
  echo "== The drill, in the unzipped program =="
  new_prefix drill
  unzip -q "${made[zip]}" -d "$scratch/zip"
  local programs=("$scratch"/zip/*/menvori.exe)
  [ -f "${programs[0]}" ] || fail "no menvori.exe in $(basename "${made[zip]}")"
  # The program finds everything it loads beside it: no search path is given.
  drill_start_app env -u WINEPATH "$WINE" "${programs[0]}"
  drill_all "$shots/wine-" Return
  drill_start_app env -u WINEPATH "$WINE" "${programs[0]}"
  drill_held_keys "$shots/wine-held-"
  echo "PASS: the drill under Wine, in the program of $(basename "${made[zip]}"), held keys acting once"
}

part_setup() {
  echo "== The installer and its uninstaller =="
  new_prefix setup
  local mode root location folder link before=$scratch/before
  for mode in CurrentUser AllUsers; do
    [ $mode = CurrentUser ] && root=HKCU || root=HKLM
    files >"$before"
    run_windows 0 "the silent installer (/S /$mode)" "${made[setup]}" /S /$mode
    location=$(registry_value $root InstallLocation) || fail "/$mode: no entry in $root's list of installed programs"
    [ "$(registry_value $root DisplayName)" = Menvori ] || fail "/$mode: the entry is not named Menvori"
    folder=$(unix_path "$location")
    exactly_this_version "$folder" "/$mode" ./uninstall.exe
    link=$(comm -13 "$before" <(files) | grep '/Start Menu/Programs/Menvori.lnk$' || true)
    [ -n "$link" ] || fail "/$mode: no Start menu entry"
    echo "/$mode: installed in $location, Start menu entry ${link#"$WINEPREFIX/"}"

    start_installed "$link" "$shots/wine-installed-"
    tr '\0' ' ' <"/proc/$installed_app/cmdline" | grep -qiF "$(basename "$location")\\menvori.exe" \
      || fail "/$mode: the window is not the installed program's: $(tr '\0' ' ' <"/proc/$installed_app/cmdline")"
    # While it runs, neither the installer nor the uninstaller touches it.
    files >"$scratch/running"
    run_windows 3 "the silent installer while the program runs" "${made[setup]}" /S /$mode
    run_command_line 3 "the silent uninstaller, waited for, while the program runs" \
      "\"$location\\uninstall.exe\" /S /$mode _?=$location"
    diff "$scratch/running" <(files) >/dev/null || fail "/$mode: an installer refused while the program ran changed: $(diff "$scratch/running" <(files))"
    drill_begin "$shots/wine-installed-" Return
    drill_end
    poll_until 10 "the installed program to end" gone || fail "/$mode: the installed program did not end"

    uninstall $root
    local left
    left=$(comm -13 "$before" <(files))
    [ -z "$left" ] || fail "/$mode: the uninstaller left behind: $left"
    echo "PASS: /$mode: silent install, refused while the program ran, started from the Start menu, silent uninstall left nothing behind"
  done

  # As an administrator (Wine runs every program as one), with no mode:
  # for every user, into Program Files, over an older version.
  files >"$before"
  run_windows 0 "the older version's silent installer" "${made[older-setup]}" /S /AllUsers
  folder=$(unix_path "$(registry_value HKLM InstallLocation)")
  [ -f "$folder/only-in-the-older-version.txt" ] || fail "the older version did not install its own file"
  run_windows 0 "the silent installer as an administrator" "${made[setup]}" /S
  location=$(registry_value HKLM InstallLocation) || fail "/S as an administrator: not installed for all users"
  [ "$(unix_path "$location")" = "$(unix_path 'C:\Program Files\Menvori')" ] \
    || fail "/S as an administrator: installed in $location, not in Program Files"
  ! registry_value HKCU InstallLocation >/dev/null || fail "/S as an administrator: installed for the user too"
  exactly_this_version "$folder" "over the older version" ./uninstall.exe
  echo "PASS: /S as an administrator: over the older version, in Program Files with exactly this version's files"
  files >"$scratch/upgraded"
  run_windows 4 "the older version's silent installer over this one" "${made[older-setup]}" /S /AllUsers
  diff "$scratch/upgraded" <(files) >/dev/null || fail "the refused older installer changed: $(diff "$scratch/upgraded" <(files))"
  echo "PASS: the older version is refused over this one (exit 4), and changes nothing"
  uninstall HKLM

  # /D=: the folder the deployment tool names.
  run_windows 0 "the silent installer with /D=" "${made[setup]}" /S /CurrentUser '/D=C:\Escola\Menvori'
  [ "$(registry_value HKCU InstallLocation)" = 'C:\Escola\Menvori' ] || fail "/D= not honoured: $(registry_value HKCU InstallLocation)"
  exactly_this_version "$(unix_path 'C:\Escola\Menvori')" "/D=" ./uninstall.exe
  uninstall HKCU
  rmdir "$(unix_path 'C:\Escola')"
  local left
  left=$(comm -13 "$before" <(files))
  [ -z "$left" ] || fail "after the upgrade and /D= tests, left behind: $left"
  echo "PASS: /D= honoured, and the uninstallers left nothing behind"
}

part_msi() {
  echo "== The MSI, under msiexec =="
  new_prefix msi
  local before=$scratch/before folder
  folder=$(unix_path 'C:\Program Files\Menvori')
  # The drive but Windows Installer's own folder, which every Windows has and
  # Wine makes when it is first used (what is in it counts).
  msi_files() { files | grep -v '/drive_c/windows/Installer$' || true; }
  # products: the MSI's entries in the list of installed programs.
  products() {
    "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' \
      | grep -c 'DisplayName *REG_SZ *Menvori$' || true
  }
  msi_files >"$before"
  run_windows 0 "msiexec installing the older version" msiexec /i "$(windows_path "${made[older-msi]}")" /qn
  [ -f "$folder/only-in-the-older-version.txt" ] || fail "the older MSI did not install its own file"
  run_windows 0 "msiexec installing this version over it" msiexec /i "$(windows_path "${made[msi]}")" /qn
  exactly_this_version "$folder" "the MSI over the older version"
  [ "$(products)" -eq 1 ] || fail "after the MSI's upgrade, $(products) entries in the list of installed programs"
  local link
  link=$(comm -13 "$before" <(msi_files) | grep '/Start Menu/Programs/Menvori.lnk$' || true)
  [ -n "$link" ] || fail "the MSI made no Start menu entry"
  start_installed "$link" "$shots/wine-msi-"
  end_process "$installed_app"
  poll_until 10 "the program to end" gone || fail "the program from the MSI did not end"
  echo "PASS: the MSI installs the older version, and this one replaces it with exactly its own files and one entry; the Start menu entry starts it"
  msi_files >"$scratch/upgraded"
  local status=0
  "$WINE" msiexec /i "$(windows_path "${made[older-msi]}")" /qn || status=$?
  [ $status -ne 0 ] || fail "msiexec installed the older version over this one"
  diff "$scratch/upgraded" <(msi_files) >/dev/null || fail "the refused older MSI changed: $(diff "$scratch/upgraded" <(msi_files))"
  echo "PASS: the older MSI is refused over this one (exit $status), and changes nothing"
  run_windows 0 "msiexec uninstalling" msiexec /x "$(windows_path "${made[msi]}")" /qn
  [ "$(products)" -eq 0 ] || fail "after the MSI's uninstall, still in the list of installed programs"
  "$WINE" reg query 'HKLM\Software\Menvori' >/dev/null 2>&1 && fail "the MSI's uninstall left HKLM\\Software\\Menvori"
  local left
  left=$(comm -13 "$before" <(msi_files))
  [ -z "$left" ] || fail "the MSI's uninstall left behind: $left"
  echo "PASS: the MSI's uninstall leaves nothing behind"
}

for part in "${parts[@]}"; do
  declare -F "part_$part" >/dev/null || fail "no part $part (unit, drill, setup, msi)"
  "part_$part"
done
echo "wine tests: PASS (${parts[*]}) in $((SECONDS - start)) s"

# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# Sourced by the scripts that run the Windows build under Wine.

# find_wine: sets WINE to Debian's 64-bit Wine loader (package wine64).
find_wine() {
  local candidate
  for candidate in "$(command -v wine64 || true)" /usr/lib/wine/wine64 "$(command -v wine || true)" /usr/lib/wine/wine; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
      WINE=$candidate
      export WINE
      return 0
    fi
  done
  echo "Wine is missing: on Debian it comes with the package wine64 (bash scripts/setup.sh windows installs it)" >&2
  return 1
}

# make_prefix FOLDER: makes a Wine prefix of its own in FOLDER (which must not
# exist yet) and exports WINEPREFIX. Mono and Gecko are not installed, so
# nothing asks to download them, and Wine's menu builder is off, so that no
# Start menu entry made in the prefix becomes a menu entry of this machine.
make_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  "$WINE" wineboot --init >"$1.log" 2>&1 || { cat "$1.log" >&2; return 1; }
  rm -f "$1.log"
}

# end_prefix: ends the Wine server of WINEPREFIX, which ends every program
# still running in that prefix (and only those), and waits for it to go.
end_prefix() {
  local server
  server=$(dirname "$WINE")/wineserver
  [ -x "$server" ] || server=$(command -v wineserver || echo wineserver)
  "$server" -k 2>/dev/null || true
  "$server" -w 2>/dev/null || true
}

# windows_path UNIX-PATH: the path as Windows programs under Wine see it.
windows_path() {
  local p
  p=$(realpath -m "$1")
  echo "Z:${p//\//\\}"
}

# runtime_path: Qt's libraries (MENVORI_QT) and the compiler's runtime (the
# folders the cross compiler links libraries from), as a Windows search path.
runtime_path() {
  local dirs=() dir
  dirs+=("$(windows_path "$MENVORI_QT/bin")")
  while read -r -d : dir; do
    [ ! -d "$dir" ] || dirs+=("$(windows_path "$dir")")
  done < <(x86_64-w64-mingw32-g++-posix -print-search-dirs | sed -n 's/^libraries: =//p' | tr -d '\n'; echo :)
  local IFS=';'
  echo "${dirs[*]}"
}

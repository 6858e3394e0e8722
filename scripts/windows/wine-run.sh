#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# CMake's emulator for the Windows build's tests: runs a Windows program of
# the build under Wine, in the prefix WINEPREFIX (which the caller made, see
# scripts/windows.sh), finding Qt's libraries (in MENVORI_QT) and the
# compiler's runtime.
#   wine-run.sh program.exe [args...]
set -euo pipefail
source "$(dirname "$0")/wine.sh"
: "${WINEPREFIX:?the Wine prefix to run in}"
: "${MENVORI_QT:?the Qt for Windows the program was built with}"
find_wine
WINEPATH=$(runtime_path)
export WINEPATH WINEDEBUG=${WINEDEBUG:--all}
# Without a console window, Qt on Windows sends test results and messages to
# the debugger; they are wanted on standard output and error.
export QT_FORCE_STDERR_LOGGING=1
# Wine leaves the machine's QT_ variables out of a Windows program's
# environment (they are meant for the machine's own Qt) and hands over those
# named with WINE in front: the test's settings (QT_QPA_PLATFORM=offscreen)
# go that way.
for name in $(compgen -e); do
  case $name in
    QT_*) export "WINE$name=${!name}" ;;
  esac
done
exec "$WINE" "$@"

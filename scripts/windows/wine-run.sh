#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# CMake's emulator for the Windows build's tests: runs a Windows program of
# the build under Wine, in the prefix WINEPREFIX (which the caller made, see
# scripts/windows.sh), finding Qt's libraries and plugins (in MENVORI_QT) and
# the compiler's runtime.
#   wine-run.sh program.exe [args...]
set -euo pipefail
source "$(dirname "$0")/wine.sh"
: "${WINEPREFIX:?the Wine prefix to run in}"
: "${MENVORI_QT:?the Qt for Windows the program was built with}"
find_wine
WINEPATH=$(runtime_path)
QT_PLUGIN_PATH=$(windows_path "$MENVORI_QT/plugins")
export WINEPATH QT_PLUGIN_PATH WINEDEBUG=${WINEDEBUG:--all}
exec "$WINE" "$@"

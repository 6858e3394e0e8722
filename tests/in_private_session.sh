#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command as in a desktop session of its own that takes nothing from
# the caller's: a D-Bus session bus of its own (as every desktop session has
# one; without it libdbus would try to launch one through dbus-launch), its
# own XDG runtime, config, cache and data folders, and none of the caller's
# display, Wayland, D-Bus, desktop, accessibility or Qt settings. The folders
# are removed when the command ends, and the bus ends with it.
#   in_private_session.sh command [args...]
# Settings the command needs go in front of it: in_private_session.sh env QT_QPA_PLATFORM=offscreen test
set -euo pipefail

session=$(mktemp -d "${TMPDIR:-/tmp}/menvori-session.XXXXXX")
trap 'rm -rf --one-file-system "$session"' EXIT
mkdir -m 700 "$session/runtime"
mkdir "$session/config" "$session/cache" "$session/data"

while read -r name; do
  case $name in
    QT_* | QML_* | DBUS_* | WAYLAND_* | XDG_* | DISPLAY | XAUTHORITY | SESSION_MANAGER | DESKTOP_SESSION \
      | GNOME_* | KDE_* | GTK_* | AT_SPI_* | NO_AT_BRIDGE | SWAYSOCK | I3SOCK | WLR_*)
      unset "$name" ;;
  esac
done < <(compgen -e)
export XDG_RUNTIME_DIR=$session/runtime XDG_CONFIG_HOME=$session/config \
  XDG_CACHE_HOME=$session/cache XDG_DATA_HOME=$session/data MENVORI_PRIVATE_SESSION=1

status=0
dbus-run-session -- "$@" || status=$?
exit $status

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The page of menvori-<version>-web.zip on the devices a class has, in
# headless Chromium (web_devices.py: phones and tablets either way up, with
# touch, a Chromebook, a Mac's keys, what a screen reader gets), served by a
# plain static server on the loopback; then what the page says where it
# cannot run (web_failures.py, each case with a server of its own, or none).
# Pictures of each step go to <build>/shots/devices.
#   web_devices.sh <web build folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib.sh"
set_script_name "web devices"
trap run_at_exit EXIT
build=$(realpath "$1")
start=$SECONDS

scratch=$(mktemp -d)
at_exit rm -rf "$scratch"
page=$(unzip_web_page "$build" "$scratch")
shots=$build/shots/devices
mkdir -p "$shots"

python3 "$here/web_server.py" "$page" "$scratch/port" "$scratch/served" &
at_exit end_process $!
poll_until 10 "the web server's port" test -s "$scratch/port" || fail "the web server did not start"
python3 "$here/web_devices.py" "http://127.0.0.1:$(cat "$scratch/port")/" "$shots" || fail "the devices"
python3 "$here/web_failures.py" "$page" "$shots" || fail "the failure messages"
echo "web devices: PASS in $((SECONDS - start)) s"

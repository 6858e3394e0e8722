#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets up the machine, builds Menvori (Release) and runs every benchmark in a
# real X server (Xvfb), printing one table. Usage: bash scripts/bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
# Measured in a session of its own, with nothing from the caller's.
[ -n "${MENVORI_PRIVATE_SESSION:-}" ] || exec tests/in_private_session.sh bash "$0" "$@"
bash scripts/setup.sh test >/dev/null
bash scripts/build.sh -DMENVORI_BENCH=ON >/dev/null

source scripts/lib.sh
set_script_name bench
trap run_at_exit EXIT
start_xvfb || fail "no X server"
export QT_QPA_PLATFORM=xcb
./build/bench/bench_run build/bench "${1:-21}" 2> >(grep -v -e propagateSizeHints -e XDG_RUNTIME >&2)

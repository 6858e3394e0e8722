#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what building and running need, builds the program alone (no
# tests, tools or benchmarks) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
bash scripts/build.sh -DBUILD_TESTING=OFF -DMENVORI_TOOLS=OFF -DMENVORI_BENCH=OFF
exec ./build/app/menvori

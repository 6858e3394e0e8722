#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Menvori into build/ (Release); any arguments go to CMake, e.g.
# -DBUILD_TESTING=OFF. Expects the packages of scripts/setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build build --parallel

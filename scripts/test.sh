#!/usr/bin/env bash
# Sets up the machine, builds Menvori with its tests and runs the whole suite.
# Fails when any test fails or when no test ran; ctest's summary comes last.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
ctest --output-on-failure --no-tests=error --timeout 900

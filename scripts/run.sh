#!/usr/bin/env bash
# Sets up the machine, builds Menvori and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec ./build/app/menvori

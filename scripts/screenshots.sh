#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the README's pictures from the real program: builds it, runs it in a
# real X window (the end-to-end test's session: the introduction, the main
# window at rest, and after a measurement and its check) and saves each
# window as a PNG. Usage: bash scripts/screenshots.sh [folder, default docs]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test >/dev/null
bash scripts/build.sh >/dev/null
tests/in_private_session.sh tests/with_x11.sh tests/e2e_real_window.sh build/app/menvori "$(realpath -m "${1:-docs}")"

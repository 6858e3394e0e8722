#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Menvori for the web (WebAssembly) on Debian, with Debian's own
# packages, makes the folder a school puts on a web server, and tests it:
#  1. On Debian 13 (trixie), whose emscripten and Qt source the build needs:
#     here where the machine is Debian 13, else in a Debian 13 root made in
#     a scratch folder (scripts/debian-root.sh) and removed at the end. There
#     scripts/web/build.sh builds Qt's base module for WebAssembly from
#     Debian's qt6-base source (kept in a cache outside the repository,
#     MENVORI_WEB_CACHE; default /var/cache/menvori-web as root,
#     ~/.cache/menvori-web otherwise), then the program, its page and
#     menvori-<version>-web.zip in build-web/, and runs the logic tests
#     built for WebAssembly under node.
#  2. Unless --no-tests, here: the page from the unzipped folder in
#     Chromium, Firefox ESR and WebKitGTK (tests/web_tests.sh), each in a
#     private X display and profile. Their pictures go to build-web/shots.
#     Then how the page reaches a browser and stays there
#     (tests/web_delivery.sh): on a server that counts and holds back
#     requests, and on Debian's nginx and Apache with the zip's settings.
#     Then the drill on phones, tablets and a Chromebook, a Mac's keys, what
#     a screen reader gets, and the page's messages where it cannot run
#     (tests/web_devices.sh).
# It installs the Debian packages of `scripts/setup.sh web` (and, on Debian
# 13, `web-build`) and nothing else, leaves the machine's apt configuration
# as it is, and writes nothing outside build-web/, the cache and its scratch
# folders. Debian's mirrors: MENVORI_MIRROR (default deb.debian.org).
#   bash scripts/web.sh [--no-tests]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
source scripts/lib.sh
tests=$(tests_wanted web.sh "$@") || exit 2
set_script_name web
trap run_at_exit EXIT
start=$SECONDS

suite=$(machine_suite) || exit 3
bash scripts/setup.sh web
cache=$(cache_folder menvori-web "${MENVORI_WEB_CACHE:-}")
mkdir -p "$cache"
cache=$(realpath "$cache")

if [ "$suite" = trixie ]; then
  bash scripts/setup.sh web-build
  bash scripts/web/build.sh "$cache" "$tests"
else
  # In the root the repository is /menvori and the cache its usual folder;
  # build-web/ is written through the mount.
  source scripts/debian-root.sh
  make_root web trixie || fail "no Debian 13 root"
  mount_into /menvori --bind "$here"
  mount_into /var/cache/menvori-web --bind "$cache"
  in_root bash /menvori/scripts/setup.sh web-build >"$ROOT_WORK/setup.log" 2>&1 \
    || { tail -30 "$ROOT_WORK/setup.log" >&2; fail "installing the build's packages in the Debian 13 root"; }
  in_root ${MENVORI_MIRROR:+env MENVORI_MIRROR=$MENVORI_MIRROR} \
    bash /menvori/scripts/web/build.sh /var/cache/menvori-web "$tests"
  remove_root
fi

if [ "$tests" -eq 1 ]; then
  echo "== In the browsers =="
  tests/in_private_session.sh bash tests/web_tests.sh "$here/build-web"
  echo "== Delivery: web servers, the service worker, updates =="
  tests/in_private_session.sh bash tests/web_delivery.sh "$here/build-web"
  echo "== Phones, tablets, touch, a Mac, screen readers; what the page says when it cannot run =="
  tests/in_private_session.sh bash tests/web_devices.sh "$here/build-web"
fi
echo "web: done in $((SECONDS - start)) s"

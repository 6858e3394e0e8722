#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The web build's size and start-up, printed: the program's code as a web
# server sends it compressed (gzip, at the level most servers use and at the
# highest), against its 3 MB target; and the time from navigation to the
# title window painted in headless Chromium, with a cold and a warm cache,
# against the floor of a bare Qt program showing the same windows on Qt's own
# page (bench/web_firstpaint.py). Needs the web build (bash scripts/web.sh).
#   bash scripts/web-bench.sh [runs, default 15: one start here spreads by
#   some 60 ms either way, so fewer runs move the medians by 5 %]
set -euo pipefail
cd "$(dirname "$0")/.."
# Measured in a session of its own, with nothing from the caller's.
[ -n "${MENVORI_PRIVATE_SESSION:-}" ] || exec tests/in_private_session.sh bash "$0" "$@"
source scripts/lib.sh
set_script_name web-bench
trap run_at_exit EXIT
runs=${1:-15}
# (The program's code is named by a digest of its contents.)
wasms=(build-web/page/menvori.*.wasm)
[[ -f "${wasms[0]}" && -f build-web/bench/bench_bare.wasm ]] \
  || fail "no web build in build-web: bash scripts/web.sh makes it"
command -v chromium >/dev/null || fail "chromium is missing (bash scripts/setup.sh web installs it)"

wasm=${wasms[0]}
printf '%-52s %9s %9s\n' "the program's code (menvori.wasm)" "bytes" "target"
printf '%-52s %9d\n' "  as built" "$(stat -c %s "$wasm")"
printf '%-52s %9d\n' "  gzip -6, as most web servers send it" "$(gzip -6 -c "$wasm" | wc -c)"
gzipped=$(gzip -9 -c "$wasm" | wc -c)
printf '%-52s %9d %9s\n' "  gzip -9" "$gzipped" "$([ "$gzipped" -le 3000000 ] && echo "yes" || echo "NO") (3 MB)"
printf '%-52s %9d\n' "  brotli, the copy beside it" "$(stat -c %s "$wasm.br")"
printf '%-52s %9d\n' "  the floor's (bench_bare.wasm), gzip -9" "$(gzip -9 -c build-web/bench/bench_bare.wasm | wc -c)"

scratch=$(mktemp -d)
at_exit rm -rf "$scratch"
cp -r build-web/page "$scratch/site"
mkdir "$scratch/site/floor"
cp build-web/bench/bench_bare.html build-web/bench/bench_bare.js build-web/bench/bench_bare.wasm \
  build-web/bench/qtloader.js "$scratch/site/floor/"
python3 tests/web_server.py "$scratch/site" "$scratch/port" "$scratch/served" &
at_exit end_process $!
poll_until 10 "the web server's port" test -s "$scratch/port" || fail "the web server did not start"
url=http://127.0.0.1:$(cat "$scratch/port")
python3 bench/web_firstpaint.py "$url/" "$url/floor/bench_bare.html" "$runs"

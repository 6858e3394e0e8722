#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the README's test command on a freshly made Debian, as a new
# contributor would: makes a minimal Debian root with debootstrap, clones
# this repository's committed HEAD into it, runs `bash scripts/test.sh`
# there, and prints its result, its test counts and its time. With
# `windows`, it runs the Windows build and its Wine tests instead
# (`bash scripts/windows.sh`), with the root's Windows Qt kept between runs
# beside the downloaded packages.
#   fresh-check.sh bookworm|trixie [windows]
# Needs root (debootstrap, chroot, mount) and Debian's mirrors. It never
# changes this machine's packages: everything is installed inside the root,
# which is removed at the end (scripts/debian-root.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
suite=${1:-}
run=scripts/test.sh
source "$here/scripts/debian-root.sh"
case "${2:-}" in
  "") ;;
  windows) run=scripts/windows.sh ;;
  *) suite= ;;
esac
is_suite "$suite" || { echo "usage: fresh-check.sh $(suite_choices) [windows]" >&2; exit 2; }
name="fresh-check $suite${2:+ $2}"
set_script_name "$name"
trap run_at_exit EXIT

start=$SECONDS
make_root fresh-check "$suite" || fail "no Debian root"
log=$ROOT_WORK/test.log
git clone --quiet "$here" "$ROOT/root/menvori"
echo "repository: $(git -C "$ROOT/root/menvori" log --oneline -1)"

if [ "$run" = scripts/windows.sh ]; then
  windows_cache=${MENVORI_FRESH_CACHE:-/var/cache/menvori-fresh-check}/$suite/windows
  mkdir -p "$windows_cache"
  mount_into /var/cache/menvori-windows --bind "$windows_cache"
fi

echo "== $name: bash $run =="
tests_start=$SECONDS
status=0
in_root bash -c "cd /root/menvori && bash $run" 2>&1 | tee "$log" || status=${PIPESTATUS[0]}
# ctest's summaries, "100% tests passed, 0 tests failed out of 14", one a build.
read -r passed failed < <(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\? failed out of \([0-9]*\)$/\1 \2/p' "$log" \
  | awk '{f += $1; n += $2} END {print n - f, f + 0}')
echo "$name: $([ "$status" -eq 0 ] && echo PASS || echo "FAIL (status $status)") in $((SECONDS - start)) s," \
  "$run $((SECONDS - tests_start)) s, $(grep -c '^[0-9]*% tests passed' "$log" || true) ctest runs"
echo "$suite: $passed passed, $failed failed"
exit "$status"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the README's test command on a freshly made Debian, as a new
# contributor would: makes a minimal Debian root with debootstrap, clones
# this repository's committed HEAD into it, runs `bash scripts/test.sh`
# there, and prints its result, its test counts and its time.
#   fresh-check.sh bookworm|trixie
# Needs root (debootstrap, chroot, mount) and Debian's mirrors. It never
# changes this machine's packages: everything is installed inside the root.
# The root lives in a scratch folder that is removed at the end, after every
# process inside it has been ended (by PID) and everything mounted into it
# unmounted; the removal never leaves the root's own file system, so it
# cannot reach through a mount. Downloaded packages are kept in a cache
# outside the repository (MENVORI_FRESH_CACHE, default
# /var/cache/menvori-fresh-check) and reused by the next run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
suite=${1:-}
case $suite in
  bookworm | trixie) ;;
  *) echo "usage: fresh-check.sh bookworm|trixie" >&2; exit 2 ;;
esac
fail() { echo "fresh-check $suite: FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "needs root, for debootstrap, chroot and mount"
command -v debootstrap >/dev/null || fail "debootstrap is missing: bash scripts/setup.sh test installs it"
mirror=${MENVORI_MIRROR:-http://deb.debian.org/debian}
cache=${MENVORI_FRESH_CACHE:-/var/cache/menvori-fresh-check}/$suite
mkdir -p "$cache/debootstrap" "$cache/apt"

work=$(mktemp -d /var/tmp/menvori-fresh-check.XXXXXX)
root=$work/root
log=$work/test.log
mounts=()

# Ends the processes running inside the root, and only those: the ones whose
# root folder is it.
end_processes_inside() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -KILL "${p#/proc/}" 2>/dev/null || true
  done
}
cleanup() {
  end_processes_inside
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" || true
  done
  if grep -q " $work/" /proc/mounts; then
    echo "fresh-check $suite: something is still mounted under $work; left in place" >&2
    return
  fi
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
mount_into() { # mount_into TARGET mount-arguments...
  local target=$root$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounts+=("$target")
}

start=$SECONDS
echo "== fresh-check $suite: minimal Debian root in $root =="
debootstrap --variant=minbase --cache-dir="$cache/debootstrap" "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 \
  || { tail -20 "$work/debootstrap.log" >&2; fail "debootstrap"; }
echo "debootstrap: $((SECONDS - start)) s"

# What a booted machine has: /proc, /sys, its own pseudo-terminals and shared
# memory (not the host's /dev), and the host's name service configuration.
mount_into /proc -t proc proc
mount_into /sys -t sysfs -o ro sysfs
mount_into /dev/pts -t devpts -o newinstance,ptmxmode=0666 devpts
mount_into /dev/shm -t tmpfs -o mode=1777 tmpfs
rm -f "$root/dev/ptmx"
ln -s pts/ptmx "$root/dev/ptmx"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount_into /var/cache/apt/archives --bind "$cache/apt"

git clone --quiet "$here" "$root/root/menvori"
echo "repository: $(git -C "$root/root/menvori" log --oneline -1)"

echo "== fresh-check $suite: bash scripts/test.sh =="
tests_start=$SECONDS
status=0
chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  HOME=/root LANG=C.UTF-8 TERM=dumb ${CI:+CI=$CI} \
  bash -c 'cd /root/menvori && bash scripts/test.sh' 2>&1 | tee "$log" || status=${PIPESTATUS[0]}
# ctest's summaries, "100% tests passed, 0 tests failed out of 14", one a build.
read -r passed failed < <(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\? failed out of \([0-9]*\)$/\1 \2/p' "$log" \
  | awk '{f += $1; n += $2} END {print n - f, f + 0}')
echo "fresh-check $suite: $([ $status -eq 0 ] && echo PASS || echo "FAIL (status $status)") in $((SECONDS - start)) s," \
  "the test command $((SECONDS - tests_start)) s, $(grep -c '^[0-9]*% tests passed' "$log" || true) ctest runs"
echo "$suite: $passed passed, $failed failed"
exit $status

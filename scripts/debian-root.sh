# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# Sourced by the checks that run in a freshly made Debian (fresh-check.sh,
# clean-install-check.sh): one way to make a minimal Debian root, to run
# commands in it and to remove it. Needs root (debootstrap, chroot, mount) and
# Debian's mirrors (MENVORI_MIRROR). Downloaded packages are kept in a cache
# outside the repository (MENVORI_FRESH_CACHE, default
# /var/cache/menvori-fresh-check) for the next root of the same release.
#
#   make_root NAME SUITE   makes a root of SUITE (bookworm or trixie) in a
#                          scratch folder and sets ROOT to it; it is removed
#                          when the caller runs its at_exit list
#   mount_into PATH ARGS   mounts ARGS (mount's) at PATH inside the root
#   in_root COMMAND...     runs COMMAND in the root, with a clean environment
#   remove_root            removes the root now
# Removing a root first ends the processes running inside it (by PID, those
# whose root folder it is, and waits for them), then unmounts what was
# mounted into it, newest first; the removal never leaves the root's own file
# system, so it cannot reach through a mount.

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ROOT=
ROOT_WORK=
ROOT_MOUNTS=()

make_root() {
  local name=$1 suite=$2
  is_suite "$suite" || { echo "$name: Debian $suite is not one this is tested on (${SUITES[*]})" >&2; return 2; }
  [ "$(id -u)" -eq 0 ] || { echo "$name: needs root, for debootstrap, chroot and mount" >&2; return 1; }
  command -v debootstrap >/dev/null \
    || { echo "$name: debootstrap is missing: on Debian it comes with the package debootstrap (bash scripts/setup.sh test installs it)" >&2; return 1; }
  local mirror
  mirror=$(debian_mirror)
  local cache=${MENVORI_FRESH_CACHE:-/var/cache/menvori-fresh-check}/$suite
  mkdir -p "$cache/debootstrap" "$cache/apt"
  ROOT_WORK=$(mktemp -d "/var/tmp/menvori-$name.XXXXXX")
  ROOT=$ROOT_WORK/root
  at_exit remove_root
  local start=$SECONDS
  debootstrap --variant=minbase --cache-dir="$cache/debootstrap" "$suite" "$ROOT" "$mirror" \
    >"$ROOT_WORK/debootstrap.log" 2>&1 \
    || { tail -20 "$ROOT_WORK/debootstrap.log" >&2; echo "$name: debootstrap $suite failed" >&2; return 1; }
  echo "$name: minimal Debian $suite in $ROOT, made in $((SECONDS - start)) s"
  # What a booted machine has: /proc, /sys, its own pseudo-terminals and
  # shared memory (not the host's /dev), and the host's name service
  # configuration; apt's downloads go to the cache.
  mount_into /proc -t proc proc
  mount_into /sys -t sysfs -o ro sysfs
  mount_into /dev/pts -t devpts -o newinstance,ptmxmode=0666 devpts
  mount_into /dev/shm -t tmpfs -o mode=1777 tmpfs
  rm -f "$ROOT/dev/ptmx"
  ln -s pts/ptmx "$ROOT/dev/ptmx"
  cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
  mount_into /var/cache/apt/archives --bind "$cache/apt"
}

mount_into() {
  local target=$ROOT$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  ROOT_MOUNTS+=("$target")
}

in_root() {
  chroot "$ROOT" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 TERM=dumb ${CI:+CI=$CI} "$@"
}

# processes_inside: the PIDs of the processes whose root folder is the root.
processes_inside() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" != "$ROOT" ] || echo "${p#/proc/}"
  done
}

# nothing_inside: no process runs inside the root.
nothing_inside() { [ -z "$(processes_inside)" ]; }

remove_root() {
  [ -n "$ROOT_WORK" ] || return 0
  local pids i
  mapfile -t pids < <(processes_inside)
  if [ ${#pids[@]} -gt 0 ]; then
    kill -KILL "${pids[@]}" 2>/dev/null || true
    poll_until 10 "the processes inside $ROOT to end" nothing_inside || true
  fi
  for ((i = ${#ROOT_MOUNTS[@]} - 1; i >= 0; i--)); do
    umount "${ROOT_MOUNTS[i]}" 2>/dev/null || umount -l "${ROOT_MOUNTS[i]}" || true
  done
  ROOT_MOUNTS=()
  if grep -q " $ROOT_WORK/" /proc/mounts; then
    echo "something is still mounted under $ROOT_WORK; left in place" >&2
  else
    rm -rf --one-file-system "$ROOT_WORK"
  fi
  ROOT_WORK=
  ROOT=
}

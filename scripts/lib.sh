# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# The one shell library of scripts/ and tests/: failing with a message,
# waiting by polling, undoing on exit, a real X server, and the Debian
# releases Menvori is made for. Sourced, never run.
#
# Nothing here sets a trap: the caller owns its traps. Whatever a function
# here starts or makes, it adds to the caller's list of things to undo
# (at_exit) before waiting on it, and a caller that uses any of them runs
# that list when it ends:
#   trap run_at_exit EXIT

# Loaded once, however many of a script's parts source it.
[ -z "${MENVORI_LIB:-}" ] || return 0
MENVORI_LIB=loaded

# set_script_name NAME: how fail names the script in its messages
# ("windows", "fresh-check trixie").
LIB_SCRIPT_NAME=
set_script_name() { LIB_SCRIPT_NAME=$1; }

# fail MESSAGE: says what failed, and ends the script.
fail() {
  echo "${LIB_SCRIPT_NAME:+$LIB_SCRIPT_NAME: }FAIL: $*" >&2
  exit 1
}

# poll_until SECONDS WHAT COMMAND...: runs COMMAND every 50 ms until it
# succeeds; after SECONDS, says what it waited for and fails.
poll_until() {
  local limit=$1 what=$2 deadline=$((SECONDS + $1))
  shift 2
  until "$@" >/dev/null 2>&1; do
    if [ $SECONDS -ge $deadline ]; then
      echo "gave up after $limit s waiting for $what" >&2
      return 1
    fi
    sleep 0.05
  done
}

# at_exit COMMAND [ARGS...]: adds a command to the list run_at_exit runs,
# last added first. The list is one array of words, each command's words
# after their count; nothing in it is parsed again.
LIB_AT_EXIT=()
at_exit() {
  LIB_AT_EXIT+=("$#" "$@")
}

# run_at_exit: runs the list, last added first, each command whatever the
# others did, and empties it.
run_at_exit() {
  local starts=() i=0
  while [ $i -lt ${#LIB_AT_EXIT[@]} ]; do
    starts+=("$i")
    i=$((i + 1 + LIB_AT_EXIT[i]))
  done
  for ((i = ${#starts[@]} - 1; i >= 0; i--)); do
    "${LIB_AT_EXIT[@]:starts[i] + 1:LIB_AT_EXIT[starts[i]]}" || true
  done
  LIB_AT_EXIT=()
}

# at_exit_fresh: starts an empty list, for a subshell that runs its own at
# exit and leaves its parent's to the parent.
at_exit_fresh() { LIB_AT_EXIT=(); }

# end_process PID: ends a process this script started, and waits for it
# where it is this shell's child.
end_process() {
  kill "$1" 2>/dev/null || return 0
  wait "$1" 2>/dev/null || true
}

# tests_wanted SCRIPT [--no-tests]: for the build scripts, 1 (build, then
# test) or 0 (only build); anything else is a usage error.
tests_wanted() {
  case "${2:-}" in
    "") echo 1 ;;
    --no-tests) echo 0 ;;
    *) echo "usage: $1 [--no-tests]" >&2; return 2 ;;
  esac
}

# cache_folder NAME [FOLDER]: where a build keeps what it reuses between
# runs (a Qt it built, sources it fetched): FOLDER where given, else
# /var/cache/NAME as root, ~/.cache/NAME otherwise.
cache_folder() {
  if [ -n "${2:-}" ]; then
    echo "$2"
  elif [ "$(id -u)" -eq 0 ]; then
    echo "/var/cache/$1"
  else
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/$1"
  fi
}

# need SET COMMAND:PACKAGE...: stops, naming the package, where a command is
# missing; `scripts/setup.sh SET` installs them all.
need() {
  local set=$1 pair
  shift
  for pair in "$@"; do
    command -v "${pair%%:*}" >/dev/null \
      || fail "${pair%%:*} is missing: on Debian it comes with the package ${pair#*:} (bash scripts/setup.sh $set installs it)"
  done
}

# unzip_web_page BUILD FOLDER: unzips the web build's one zip (BUILD/
# menvori-*-web.zip) into FOLDER, and prints the page's folder in it.
unzip_web_page() {
  local zips=("$1"/menvori-*-web.zip)
  [[ ${#zips[@]} -eq 1 && -f ${zips[0]} ]] || fail "no single menvori-*-web.zip in $1"
  unzip -q "${zips[0]}" -d "$2"
  [ -f "$2/menvori/index.html" ] || fail "no menvori/index.html in $(basename "${zips[0]}")"
  echo "$2/menvori"
}

# debian_mirror, debian_security_mirror: where Debian's packages are fetched
# from (MENVORI_MIRROR, MENVORI_SECURITY_MIRROR; Debian's own by default).
debian_mirror() { echo "${MENVORI_MIRROR:-http://deb.debian.org/debian}"; }
debian_security_mirror() { echo "${MENVORI_SECURITY_MIRROR:-http://deb.debian.org/debian-security}"; }

# The Debian releases Menvori is built and tested on.
SUITES=(bookworm trixie)

# is_suite NAME: whether NAME is one of them.
is_suite() {
  local s
  for s in "${SUITES[@]}"; do
    [ "$1" != "$s" ] || return 0
  done
  return 1
}

# suite_choices: the releases as a usage line gives them, "bookworm|trixie".
suite_choices() {
  local IFS='|'
  echo "${SUITES[*]}"
}

# machine_suite: prints this machine's release where it is one of them;
# elsewhere says so and fails.
machine_suite() {
  local id codename
  id=$(. /etc/os-release 2>/dev/null && echo "${ID:-}")
  codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
  if [ "$id" != debian ] || ! is_suite "$codename"; then
    echo "this is '$id $codename'; Menvori is built and tested on Debian 12 (bookworm) and 13 (trixie) only" >&2
    return 3
  fi
  echo "$codename"
}

# start_xvfb: starts an X server (Xvfb) on a display it picks itself, so
# that two runs never race for one, and exports DISPLAY. -noreset: the
# server would otherwise reset when its last client leaves, and refuse the
# next one for a moment.
start_xvfb() {
  local dir
  dir=$(mktemp -d)
  at_exit rm -rf "$dir"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" >/dev/null 2>&1 &
  at_exit end_process $!
  poll_until 10 "Xvfb to report its display" test -s "$dir/display" || return 1
  DISPLAY=":$(tr -d '[:space:]' <"$dir/display")"
  export DISPLAY
  poll_until 10 "the X server on $DISPLAY" xdpyinfo
}

# start_wm: starts the openbox window manager on DISPLAY and returns once it
# manages the screen.
start_wm() {
  local log
  log=$(mktemp)
  at_exit rm -f "$log"
  openbox >"$log" 2>&1 &
  at_exit end_process $!
  poll_until 10 "the window manager" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
    || { cat "$log" >&2; return 1; }
}

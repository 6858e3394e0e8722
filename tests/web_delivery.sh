#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# How the page reaches a student's browser and stays there, in headless
# Chromium (web_delivery.py): the page of menvori-<version>-web.zip, and a
# second build of the same program made from it (another version, its code
# and script changed: page B), on a server that counts and holds back
# requests, and on Debian's nginx and Apache with the zip's settings (IIS's
# read as IIS reads them). Each server is started on the loopback with a
# configuration of its own and ended by its process; nothing is installed
# into the machine's services. Pictures of the pages go to <build>/shots:
# delivery-frame.png, delivery-nginx.png, delivery-apache.png and the last
# two's -offline.png.
#   web_delivery.sh <web build folder> [counting] [iis] [nginx] [apache]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib.sh"
set_script_name "web delivery"
trap run_at_exit EXIT
build=$(realpath "$1")
shift
checks=("$@")
[ ${#checks[@]} -gt 0 ] || checks=(counting iis nginx apache)
start=$SECONDS

scratch=$(mktemp -d)
at_exit rm -rf "$scratch"
page=$(unzip_web_page "$build" "$scratch/a")
[ -s "$page/version.txt" ] || fail "no version.txt in the zip's folder"

# Page B: the program's files of page A under their plain names, changed,
# made into a page as the build makes it, with the same style sources.
mkdir "$scratch/program"
for name in menvori.wasm menvori.js qtloader.js; do
  files=("$page/${name%%.*}".????????????????."${name#*.}")
  [ -f "${files[0]}" ] || fail "no ${name%%.*}.<digest>.${name#*.} in the zip's folder"
  cp "${files[0]}" "$scratch/program/$name"
done
python3 "$here/web_delivery.py" second-build "$scratch/program"
styles=$(grep -o "style-src 'self' [^;]*" "$page/index.html" | cut -d' ' -f3-)
version=$(awk '{print $2}' "$page/version.txt")
cmake -DSOURCE="$here/.." -DPROGRAM="$scratch/program" -DPAGE="$scratch/b" -DVERSION="$version-b" \
  -DSTYLE_SOURCES="$styles" -DCOMPRESSED_COPIES=OFF -P "$here/../resources/web/make_page.cmake" >"$scratch/make_page.log" 2>&1 \
  || { cat "$scratch/make_page.log" >&2; fail "making page B"; }

mkdir -p "$build/shots"
SHOTS=$build/shots python3 "$here/web_delivery.py" "$page" "$scratch/b" "$scratch" "${checks[@]}" || fail "${checks[*]}"
echo "web delivery: PASS in $((SECONDS - start)) s"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The web build, tested in the page as a school serves it (the folder of
# menvori-<version>-web.zip, unzipped, on a plain static web server on the
# loopback), in Chromium, Firefox ESR and WebKitGTK (the engine of Safari),
# each in an X display (Xvfb, openbox) and a profile of its own, driven from
# outside with real key presses and no click at all (drill/browser.sh): the
# page has the keyboard from its opening, and each window of the program
# takes it as it comes up, as a keyboard user needs:
#  1. the whole drill (drill/scenario.sh): the introduction window, then the
#     main window in its place, a measurement with the answer typed at once,
#     the check, Alt+C and Return at once, the resolution menu;
#  2. Alt with a letter (the browsers' own menus and shortcuts: File, Edit,
#     View, History, Bookmarks, Tools, Help, the address bar) types nothing
#     and opens no window of the browser, and the page keeps the keyboard;
#  3. Alt+S ends the drill: the window closes and the page says so, with a
#     button that starts the drill again, pressed with Return;
#  4. with the server stopped, the page reloaded starts the drill again, from
#     what its service worker kept;
#  5. in WebKitGTK with the page taking it for Safari on a Mac (webkit-mac),
#     Option with the letters: Option+M poses, Option+C checks.
# Pictures go to <build>/shots: <browser>-intro.png, -rest.png, -checked.png,
# -ended.png, -offline.png. Runs inside in_private_session.sh.
#   web_tests.sh <web build folder> [browser...]   (chromium firefox webkit webkit-mac)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
shift
browsers=("$@")
[ ${#browsers[@]} -gt 0 ] || browsers=(chromium firefox webkit webkit-mac)
source "$here/drill/browser.sh"
set_script_name "web tests"
drill_check_windows_with check_size
trap run_at_exit EXIT
start=$SECONDS

scratch=$(mktemp -d)
at_exit rm -rf "$scratch"
site=$(unzip_web_page "$build" "$scratch/site")
shots=$build/shots
mkdir -p "$shots"

# The web server, on a port of its own; SERVER is its process.
SERVER=
start_server() {
  rm -f "$scratch/port" "$scratch/served"
  python3 "$here/web_server.py" "$site" "$scratch/port" "$scratch/served" &
  SERVER=$!
  at_exit end_process "$SERVER"
  poll_until 10 "the web server's port" test -s "$scratch/port" || fail "the web server did not start"
  URL=http://127.0.0.1:$(cat "$scratch/port")/
}
stop_server() { end_process "$SERVER"; }
# served FILE: the server has sent FILE whole.
served() { grep -qx "/$1" "$scratch/served" 2>/dev/null; }

# start_browser NAME: starts that browser on URL in a fresh profile, as the
# drill's browser (browser_of), and waits for its window.
start_browser() {
  local profile=$scratch/profile-$1
  mkdir -p "$profile"
  case $1 in
    chromium)
      # A plain window, toolbar and all (Alt+F and Alt+E open its menu).
      chromium --no-sandbox --test-type --no-first-run --no-default-browser-check --disable-gpu \
        --password-store=basic --disable-features=Translate,TranslateUI,MediaRouter --lang=ca --disable-background-networking \
        --disable-sync --enable-logging=stderr --user-data-dir="$profile" --window-size=1100,860 "$URL" \
        >"$profile.log" 2>&1 &
      ;;
    firefox)
      # A plain window, menu bar and all (Alt+S is its History menu), with
      # nothing of the first start's pages and nothing sent anywhere.
      cat >"$profile/user.js" <<'EOF'
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("trailhead.firstrun.didSeeAboutWelcome", true);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("datareporting.healthreport.uploadEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.sessionstore.resume_from_crash", false);
user_pref("browser.tabs.warnOnClose", false);
user_pref("extensions.autoDisableScopes", 15);
user_pref("app.normandy.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("browser.newtabpage.enabled", false);
user_pref("browser.startup.page", 0);
user_pref("startup.homepage_welcome_url", "");
user_pref("startup.homepage_welcome_url.additional", "");
user_pref("browser.startup.firstrunSkipsHomepage", true);
user_pref("datareporting.policy.firstRunURL", "");
EOF
      HOME=$profile firefox-esr --no-remote --profile "$profile" --width 1100 --height 900 "$URL" >"$profile.log" 2>&1 &
      ;;
    webkit | webkit-mac)
      local mac=()
      [ "$1" = webkit ] || mac=(mac)
      WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1 WEBKIT_DISABLE_COMPOSITING_MODE=1 \
        /usr/bin/python3 "$here/webkit_window.py" "$profile" "$URL" "${mac[@]}" >"$profile.log" 2>&1 &
      ;;
  esac
  browser_of $!
  at_exit end_process $!
  poll_until 30 "the $1 window" browser_up || { cat "$profile.log" >&2; fail "$1: no window"; }
  xdotool windowactivate --sync "$(browser_window)" 2>/dev/null || true
}

browser_up() { [ -n "$(browser_window)" ]; }

# Each window of the program at its own size, its client area as on the
# desktop (the window's line in places.txt), not stretched over the page.
check_size() {
  local box size w h
  box=$(browser_window_found "$1") || true
  read -r _ _ w h <<<"${box:-0 0 0 0}"
  case $1 in
    " ") size=$(drill_picture size frmIntroduccio) ;;
    Menvori) size=$(drill_picture size frmMenvori) ;;
  esac
  [ "${w}x$h" = "$size" ] || fail "the window '$1' shows ${w}x$h pixels of client area, not $size"
}

# visible_windows: how many windows on the display are viewable; a
# browser's menu is a window of its own.
visible_windows() {
  local id count=0
  for id in $(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}'); do
    ! xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || count=$((count + 1))
  done
  echo $count
}

# Alt with the letters of the browsers' menus and shortcuts (File, Edit,
# View, Help, Bookmarks, Tools, the address bar, the first tab), first in the
# answer box, which holds a single blank after a new measurement (all of it
# selected, by the last look at it), then on "Nova Mesura", after a check:
# no browser menu opens, nothing is typed, and a digit typed next reaches the
# answer box. The drill is left as it was: a new measurement waits.
alt_letters() {
  local before letters=(alt+f alt+e alt+v alt+h alt+b alt+t alt+d alt+1)
  before=$(visible_windows)
  drill_press End "${letters[@]}"
  drill_press 7
  drill_expect_answer " 7" "Alt with the browsers' menu letters, then 7"
  [ "$(visible_windows)" -eq "$before" ] || fail "Alt with a letter in the answer box opened a window of the browser"
  drill_press Return "${letters[@]}"
  [ "$(visible_windows)" -eq "$before" ] || fail "Alt with a letter on Nova Mesura opened a window of the browser"
  drill_press alt+m
  drill_expect_answer " " "Alt+M after Alt with the browsers' menu letters"
}

# ended_and_again STEM: the page after Alt+S: the window closed, a message
# and the button that starts again, which brings back the introduction
# window.
ended_and_again() {
  local ended=${1}ended.png
  browser_page_shot "$ended"
  ! drill_window_shown " " || fail "the introduction window is on screen after Alt+S"
  drill_picture has-colour "$ended" '#FFFFFF' || fail "no message on the page after Alt+S"
  # The button is the page's lowest peach thing; it has the keyboard, and
  # Return presses it.
  drill_picture lowest-box "$ended" FFE0C0 >/dev/null || fail "no button to start again"
  drill_press Return
  poll_until 30 "the introduction window again" drill_window_shown " " || fail "the button did not start the drill again"
  # On to the main window, which a reload replaces by the introduction.
  drill_press Return
  poll_until 20 "the main window again" drill_window_shown Menvori || fail "no main window after the new start"
}

# offline_start STEM: with the server stopped, the page reloaded: the
# introduction, then the main window, as from the server.
offline_start() {
  # The service worker, registered once the program is up, keeps the page's
  # files from what the page fetched, in moments (long before the drill
  # above is done); whether it did, the start with no server tells.
  poll_until 30 "the page to register its service worker" served sw.js || fail "no service worker registered"
  stop_server
  drill_window_raise " "
  drill_press F5
  drill_intro "${1}offline-"
  drill_begin "${1}offline-" Return
}

# option_letters STEM: on a page that takes the browser for a Mac's, Option
# (this display's Alt) with the letter: Option+M poses a measurement and
# the answer typed after it reaches the box, Option+C judges it.
option_letters() {
  local posed=${1}posed.png checked=${1}checked.png
  drill_press_and_type alt+m 12.35
  poll_until 10 "the measurement's red zero mark" drill_measured "$posed" || fail "Option+M posed no measurement"
  drill_press alt+c
  poll_until 10 "the verdict" drill_verdict_shown "$checked" || fail "Option+C judged nothing"
}

for browser in "${browsers[@]}"; do
  echo "== $browser =="
  (
    trap run_at_exit EXIT
    at_exit_fresh
    start_xvfb || fail "no X server"
    start_wm || fail "no window manager"
    start_server
    start_browser "$browser"
    stem=$shots/$browser-
    drill_intro "$stem"
    drill_begin "$stem" Return
    if [ "$browser" = webkit-mac ]; then
      option_letters "$stem"
      echo "PASS: $browser: Option with the letters, on a page that takes it for a Mac's"
      exit 0
    fi
    drill_measure_and_check "$stem"
    drill_check_then_next
    alt_letters
    drill_resolution "$stem"
    drill_end
    ended_and_again "$stem"
    offline_start "$stem"
    echo "PASS: $browser: the drill, Alt with letters, the end and a new start, the start with no server"
  ) || fail "$browser"
done
echo "web tests: PASS in $((SECONDS - start)) s"

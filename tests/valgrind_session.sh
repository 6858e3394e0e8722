#!/usr/bin/env bash
# Runs one drill session under valgrind memcheck and fails on any leak whose
# allocation passes through the project's own sources, or on any memory error
# there. Leaks that lie wholly in the system's libraries are reported, not
# failed: they are not ours to mend.
#   valgrind_session.sh <session_driver> <source folder>
set -euo pipefail
driver=$1
sources=$2
log=$(mktemp)
trap 'rm -f "$log"' EXIT

status=0
valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
  --num-callers=40 --log-file="$log" "$driver" 20 || status=$?
[ "$status" -eq 0 ] || { cat "$log"; echo "FAIL: the session ended with status $status"; exit 1; }

# A record is ours when one of its frames lies in the program's code: with
# debug information valgrind names our source files (without folders);
# without it, the frame is a function of the driver binary, which holds the
# program's libraries, other than the driver's own main.
names=$(cd "$sources" && find exercise drawing ui app -name '*.cpp' -o -name '*.h' | xargs -n1 basename | sed 's/\./\\./g' | paste -sd'|')
ours=$(awk -v files="[(]($names):[0-9]+[)]" -v driver="(in $driver)" '
  function check() { if ((rec ~ files || own) && rec ~ /(definitely|indirectly) lost|Invalid|uninitialised|Mismatched/) print rec }
  /^==[0-9]+== $/ { check(); rec=""; own=0; next }
  index($0, driver) { fn = $0; sub(/ [(]in .*$/, "", fn); if (fn !~ /main|QtPrivate|startMainWindow/) own=1 }
  { rec = rec "\n" $0 }
  END { check() }
' "$log")
grep -E "definitely lost:|indirectly lost:|ERROR SUMMARY" "$log" | sed 's/^==[0-9]*== //'
if [ -n "$ours" ]; then
  echo "$ours"
  echo "FAIL: memcheck reports a leak or error in the project's code"
  exit 1
fi
echo "PASS: no leak or memory error from the project's code"

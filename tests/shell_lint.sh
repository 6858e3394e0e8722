#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The shell code of scripts/, tests/ and CI's script, read as text:
#  1. shellcheck, with the repository's .shellcheckrc, reports nothing;
#  2. the libraries cannot clobber each other's functions nor a script's:
#     every function a library (a sourced file, with no #! line) defines is
#     defined in no other file. Qt's recipes (qt-recipe.sh) each define the
#     same functions, the recipe's interface, and are read only in a shell of
#     their own (scripts/qt/).
#   shell_lint.sh [repository folder]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
mapfile -t files < <(find scripts tests -name '*.sh' | sort; echo .ci/run)

shellcheck "${files[@]}" || { echo "shell lint: FAIL: shellcheck reports the above" >&2; exit 1; }

# definitions: "NAME FILE KIND" a function, KIND library or script.
definitions() {
  local file kind
  for file in "${files[@]}"; do
    case $file in */qt-recipe.sh) continue ;; esac
    kind=library
    [ "$(head -c 2 "$file")" != '#!' ] || kind=script
    awk -v kind="$kind" '/^[[:space:]]*[A-Za-z_][A-Za-z0-9_]*[[:space:]]*\(\)/ {
      name = $0; sub(/^[[:space:]]*/, "", name); sub(/[[:space:]]*\(\).*/, "", name); print name, FILENAME, kind }' "$file"
  done
}
clashes=$(definitions | sort -u | awk '
  { files[$1] = files[$1] " " $2; count[$1]++; if ($3 == "library") library[$1] = 1 }
  END { for (name in count) if (library[name] && count[name] > 1) print name ":" files[name] }' | sort)
[ -z "$clashes" ] || { printf '%s\n' "$clashes" >&2; echo "shell lint: FAIL: library functions defined twice (above)" >&2; exit 1; }
echo "shell lint: PASS: shellcheck clean, no library function defined twice, in ${#files[@]} files"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's Layout names every top-level folder that holds C++ code: each
# has a row of the folder table, and each but the folders that test and
# measure the others (tests, bench, fuzz) stands in the line of layers.
# Usage: readme_layout.sh <source folder>
set -euo pipefail
root=${1:?usage: readme_layout.sh <source folder>}
readme="$root/README.md"

# The Layout section, up to the next heading.
layout=$(awk '/^## /{inside = ($0 == "## Layout")} inside' "$readme")
if [ -z "$layout" ]; then
  echo "README.md has no section \"## Layout\"" >&2
  exit 1
fi
# The table's folders: the first cell of each row, `name/` or `a/`, `b/`.
table=$(printf '%s\n' "$layout" | grep '^| `' | cut -d'|' -f2 | grep -o '`[^`]*`' | tr -d '`' |
        sed 's:/.*::' | sort -u)
# The line of layers: the indented line that starts with common.
layers=$(printf '%s\n' "$layout" | grep -m1 '^    common ' | tr -s ' ,<-' '\n' | sed '/^$/d' | sort -u)
if [ -z "$layers" ]; then
  echo "README.md's Layout has no line of layers starting with common" >&2
  exit 1
fi

failed=0
for dir in "$root"/*/; do
  name=$(basename "$dir")
  case "$name" in build*) continue ;; esac
  if [ -z "$(find "$dir" -type f \( -name '*.cpp' -o -name '*.h' \) -print -quit)" ]; then
    continue
  fi
  if ! grep -qx "$name" <<< "$table"; then
    echo "README.md's Layout table has no row for $name/" >&2
    failed=1
  fi
  case "$name" in tests | bench | fuzz) continue ;; esac
  if ! grep -qx "$name" <<< "$layers"; then
    echo "README.md's line of layers misses $name" >&2
    failed=1
  fi
done
exit "$failed"

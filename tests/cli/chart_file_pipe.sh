#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A chart file cast from outside the program: `zodivane-chart --chart FILE`
# prints what the same entries given as flags print, and the file compacted
# by jq is one line of the JSON protocol that casts the same chart.
# Usage: chart_file_pipe.sh ZODIVANE_CHART FILE
set -euo pipefail
tool=$1
file=$2

by_file=$("$tool" --chart "$file" --report)
by_flags=$("$tool" --name ANNA --date 1980-03-05 --time 7:05 --zone 34 --lat 28N38 --lon 77E12 \
  --city Delhi --state Delhi --country India --report)
if [ "$by_file" != "$by_flags" ]; then
  echo "--chart and the flags print different charts" >&2
  diff <(echo "$by_file") <(echo "$by_flags") >&2 || true
  exit 1
fi

answer=$(jq -c . "$file" | "$tool" --json)
name=$(jq -r .name <<<"$answer")
sun=$(jq -r '.positions[0]' <<<"$answer")
if [ "$name" != "ANNA" ] || ! grep -qF "$sun" <<<"$by_file"; then
  echo "jq -c . FILE | zodivane-chart --json did not cast the file's chart: $answer" >&2
  exit 1
fi
echo "ok"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves that two builds of zodivane-chart answer the same JSON lines with the
# same bytes, with and without --report.
#   bash tools/check-json-identical.sh REFERENCE_TOOL NEW_TOOL [COUNT] [SEED]
set -euo pipefail
reference=$1
candidate=$2
count=${3:-5000}
seed=${4:-11}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$(dirname "$0")/json_lines.py" "$count" "$seed" >"$work/in.jsonl"
for flags in "" "--report"; do
  # shellcheck disable=SC2086
  "$reference" --json $flags <"$work/in.jsonl" >"$work/reference.jsonl" || true
  # shellcheck disable=SC2086
  "$candidate" --json $flags <"$work/in.jsonl" >"$work/candidate.jsonl" || true
  if ! cmp -s "$work/reference.jsonl" "$work/candidate.jsonl"; then
    echo "answers differ (--json $flags, $count lines, seed $seed):" >&2
    diff <(head -c 2000000 "$work/reference.jsonl") <(head -c 2000000 "$work/candidate.jsonl") | head -20 >&2
    exit 1
  fi
done
echo "identical: $count lines, seed $seed, with and without --report"

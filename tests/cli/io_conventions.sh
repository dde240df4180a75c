#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# zodivane-chart on real files and descriptors: a full disk, an unreadable
# standard input, a file-size limit while the RTF report is written, and a
# peer that talks to --json one line at a time.
#   bash io_conventions.sh PATH_TO_ZODIVANE_CHART
set -uo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
delhi=(--name Anna --date 1980-03-05 --time 7:05 --zone 34 --lat 28N38 --lon 77E12)
line='{"txtName":"ANNA","txtLonD":"77","txtLonM":"12","txtLatD":"28","txtLatM":"38","txtMCity":"Delhi","txtMState":"Delhi","txtMCountry":"India","cboMonthIndex":2,"cboDateIndex":4,"cmbTimeZoneIndex":34,"cboDateText":"5","cboYearText":"1980","cboHHText":"7","cboMMText":"5","optEast":true,"optSouth":false,"chkDST":false}'

# expect WHAT STATUS MESSAGE_PART COMMAND...: runs COMMAND, checks its exit
# status and that standard error holds MESSAGE_PART (is empty for "").
expect() {
  local what=$1 status=$2 message=$3
  shift 3
  "$@" >/dev/null 2>"$work/err"
  local got=$?
  local said=0
  if [ -z "$message" ]; then
    [ -s "$work/err" ] && said=1
  else
    grep -qF -- "$message" "$work/err" || said=1
  fi
  if [ "$got" -ne "$status" ] || [ "$said" -ne 0 ]; then
    echo "FAIL: $what: exit $got (wanted $status), stderr: $(cat "$work/err")"
    failures=$((failures + 1))
  else
    echo "ok: $what"
  fi
}

if [ -w /dev/full ]; then
  expect "--help to a full disk" 1 "cannot write standard output: No space left on device" \
    sh -c "'$tool' --help > /dev/full"
  expect "--list-zones to a full disk" 1 "No space left on device" \
    sh -c "'$tool' --list-zones > /dev/full"
  expect "the chart to a full disk" 1 "No space left on device" \
    sh -c "'$tool' ${delhi[*]} > /dev/full"
  expect "--json to a full disk" 1 "No space left on device" \
    sh -c "echo '$line' | '$tool' --json > /dev/full"
fi
expect "--json reading a directory" 1 "cannot read standard input: Is a directory" \
  sh -c "'$tool' --json < /"

# Under a file-size limit the report cannot be written whole: the old file
# stays as it was, no temporary file is left, and the reason is given.
echo "the earlier report" >"$work/old.rtf"
expect "--report-rtf beyond the file-size limit" 1 \
  "--report-rtf: cannot write $work/old.rtf: File too large" \
  sh -c "ulimit -f 1; '$tool' ${delhi[*]} --report-rtf '$work/old.rtf' > /dev/null"
if [ "$(cat "$work/old.rtf")" != "the earlier report" ] || [ "$(ls -A "$work" | wc -l)" -ne 2 ]; then
  echo "FAIL: the earlier report was changed or a temporary file was left: $(ls -A "$work")"
  failures=$((failures + 1))
fi
expect "--report-rtf replaces the file" 0 "" "$tool" "${delhi[@]}" --report-rtf "$work/old.rtf"
if ! head -c 5 "$work/old.rtf" | grep -qF '{\rtf'; then
  echo "FAIL: the new report did not replace the old one"
  failures=$((failures + 1))
fi

# Standard output named as the file to write (/dev/stdout, or the file the
# shell sent it to) is refused before anything is written: the file under
# the chart text is never replaced. "-" is the way to ask for it.
for named in /dev/stdout "$work/out.txt"; do
  : >"$work/out.txt"
  expect "--report-rtf $named with the output in out.txt" 2 "is the standard output" \
    sh -c "'$tool' ${delhi[*]} --report-rtf '$named' > '$work/out.txt'"
  if [ -s "$work/out.txt" ] || [ "$(ls -A "$work" | wc -l)" -ne 3 ]; then
    echo "FAIL: out.txt was written or replaced, or a file was left: $(ls -A "$work")"
    failures=$((failures + 1))
  fi
done
"$tool" "${delhi[@]}" --report-rtf - >"$work/out.txt"
if ! head -c 5 "$work/out.txt" | grep -qF '{\rtf'; then
  echo "FAIL: --report-rtf - did not write the document to standard output"
  failures=$((failures + 1))
fi
rm -f "$work/out.txt"

# A peer that sends a line and waits for its answer gets it before it sends
# the next one (the tool writes its answers before it waits for input).
if command -v python3 >/dev/null; then
  if python3 - "$tool" "$line" <<'PY'; then
import subprocess, sys, select
tool, line = sys.argv[1], sys.argv[2]
peer = subprocess.Popen([tool, "--json"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
for turn in range(3):
    peer.stdin.write((line + "\n").encode())
    peer.stdin.flush()
    ready, _, _ = select.select([peer.stdout], [], [], 20)
    if not ready or not peer.stdout.readline().startswith(b'{"positions"'):
        sys.exit("no answer while the tool waits for the next line")
peer.stdin.close()
sys.exit(peer.wait())
PY
    echo "ok: a line-by-line peer gets each answer at once"
  else
    echo "FAIL: a line-by-line peer waited for its answer"
    failures=$((failures + 1))
  fi
fi

echo "$failures failed"
[ "$failures" -eq 0 ]

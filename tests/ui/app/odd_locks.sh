#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The program itself starts (and, with --measure, ends by itself) past
# whatever was planted where its lock goes: a FIFO, a link to /dev/zero and
# a file of 200 MB are set aside with a line on standard error; a folder of
# another user's where its own folder goes is refused, and the program
# starts without the lock. The runtime folder is unset, so the lock goes
# into the temporary folder, here a private one.
# Usage: odd_locks.sh PROGRAM
set -eu
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset XDG_RUNTIME_DIR
export TMPDIR="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
folder="$work/zodivane-$(id -u)"
mkdir -m 700 "$folder"
lock="$folder/zodivane-screenshot.lock"  # the lock of --measure, beside the program's own

# Runs the program; it must end by itself (the bound only stops a start that hangs).
start() {
  if ! timeout 120 "$program" --measure >"$work/out" 2>"$work/err"; then
    echo "FAIL: $1: the program did not start and end by itself"
    cat "$work/err"
    exit 1
  fi
  grep -q "^peak resident memory" "$work/out" || { echo "FAIL: $1: no results shown"; exit 1; }
}

for kind in fifo zero big; do
  case $kind in
    fifo) mkfifo "$lock" ;;
    zero) ln -s /dev/zero "$lock" ;;
    big) truncate -s 200M "$lock" ;;
  esac
  start "$kind"
  grep -q "^zodivane: the lock $lock was .*; set aside as $lock.bad\$" "$work/err" ||
    { echo "FAIL: $kind: not set aside"; cat "$work/err"; exit 1; }
  rm -f "$lock" "$lock.bad"
done

if [ "$(id -u)" -eq 0 ]; then
  rm -rf "$folder"
  mkdir -m 777 "$folder"
  mkfifo "$lock"
  chown -R 65534:65534 "$folder"
  start "another user's folder"
  grep -q "^zodivane: $folder belongs to another user; starting without the lock" "$work/err" ||
    { echo "FAIL: another user's folder was not refused"; cat "$work/err"; exit 1; }
  [ -p "$lock" ] || { echo "FAIL: another user's folder was changed"; exit 1; }
fi
echo "every odd lock was passed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program under a virtual X server with its own session bus and
# the accessibility bus, and reads its windows as a screen reader does with
# the Python script READER (beside this one).
# Usage: read_names.sh PROGRAM READER.py [ARGUMENT...]
set -u
program=$1
reader=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
for needed in xvfb-run dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$needed" >/dev/null 2>&1 || { echo "missing $needed"; exit 77; }
done
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || { echo "missing python3-pyatspi"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM
export PROGRAM_LOG="$work/program.log"
# A reader exits with 3 when the program never came onto the bus; that
# gets a second start (a loaded machine can lose the first), and the
# program's own output is shown when the second fails too.
for attempt in 1 2; do
  timeout 120 xvfb-run -a dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    program=$0 reader=$1
    shift
    "$program" "$@" >"$PROGRAM_LOG" 2>&1 &
    app=$!
    /usr/bin/python3 "$reader" 2>&1
    status=$?
    kill $app 2>/dev/null
    wait $app 2>/dev/null
    exit $status
  ' "$program" "$here/$reader" "$@" 2>/dev/null
  status=$?
  [ "$status" -eq 3 ] || exit "$status"
  echo "attempt $attempt: the program is not on the accessibility bus"
done
echo "the program's output:"
tail -n 40 "$PROGRAM_LOG"
exit 1

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and measures, under a virtual X server, the time from
# process start to the input form shown, from Proceed to the results shown,
# and the peak resident memory. Runs five times; pass another count as $1.
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-5}"
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target zodivane
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
for _ in $(seq "$runs"); do
  xvfb-run -a -s '-screen 0 1600x1000x24' ./build/ui/zodivane --measure 2>/dev/null
  echo
done

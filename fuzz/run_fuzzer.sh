#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a fuzz target from its seeds for a fixed number of runs, writing what
# it finds into a fresh folder of the build (never into the seeds).
# Usage: run_fuzzer.sh FUZZER WORK_FOLDER SEED_FOLDER [libFuzzer options...]
set -eu
fuzzer=$1
work=$2
seeds=$3
shift 3
rm -rf "$work"
mkdir -p "$work/corpus"
exec "$fuzzer" -seed=1 -artifact_prefix="$work/" "$@" "$work/corpus" "$seeds"

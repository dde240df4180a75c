#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs the whole test suite;
# runs the fuzz targets for a short fixed number of inputs (clang, in
# build-fuzz); builds and checks the Debian package (tools/package.sh, in
# build-pkg); then builds and runs the test suite a second time with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

# The builds are the presets of CMakePresets.json.
cmake --preset dev
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The fuzz targets: clang with libFuzzer, only what they link.
cmake --preset fuzz
cmake --build build-fuzz -j "$jobs" --target zodivane_fuzz_json_lines zodivane_fuzz_rtf_round_trip \
  zodivane_fuzz_chart_file zodivane_fuzz_handoff_message
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"

# The Debian package as the README builds it, checked by lintian and the validators.
bash tools/package.sh build-pkg

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --preset asan
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

#!/usr/bin/env bash
# Builds the asan preset and runs the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer (the browser player tests check files, not
# memory, and run only in the plain build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --test
cmake --preset asan >/dev/null
cmake --build --preset asan
# Leaks are reported; tests/lsan.supp names the one known leak outside our code.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --preset asan -j2 -E "players\." "$@"

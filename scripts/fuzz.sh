#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, FUZZ_SECONDS
# (60 by default), from the committed seeds, as the tests of that build
# (label fuzz). A fault fails its test with the failing input saved under
# build/fuzz/artifacts/: commit it to tests/fuzz/regressions/<target>/ and
# every build replays it as a test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
bash scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$PWD/tests/sanitizer-suppressions/ubsan.supp"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer-suppressions/lsan.supp:print_suppressions=0"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Each target a test of the fuzz build: tests/fuzz/run-fuzzer.sh.
export FUZZ_SECONDS=$seconds
ctest --test-dir build/fuzz --output-on-failure --verbose

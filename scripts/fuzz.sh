#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, FUZZ_SECONDS
# (60 by default), from the committed seeds. A fault stops the run with the
# failing input saved under build/fuzz/artifacts/: commit it to
# tests/fuzz/regressions/<target>/ and every build replays it as a test.
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

mkdir -p build/fuzz/artifacts
for target in fuzz_conversions fuzz_window; do
    work="build/fuzz/corpus/$target"
    mkdir -p "$work"
    inputs=("$work" "tests/fuzz/corpus/$target")
    if [ -d "tests/fuzz/regressions/$target" ]; then
        inputs+=("tests/fuzz/regressions/$target")
    fi
    log="build/fuzz/$target.log"
    # -timeout: an input that hangs (a dialog nobody closes) is a fault too.
    # -rss_limit_mb: ASan keeps freed memory resident for a while, so a long
    # window run grows well past what the same inputs need without it.
    if ! "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/$target-" \
        "${inputs[@]}" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz: $target found a fault; the input is in build/fuzz/artifacts/" >&2
        exit 1
    fi
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")
    kept=$(find "$work" -type f | wc -l)  # inputs that reached something new
    echo "fuzz: $target: $runs inputs in ${seconds} s ($rate a second), $kept new inputs kept in $work, no fault"
done

#!/usr/bin/env bash
# usage: tests/fuzz/run-fuzzer.sh FUZZER INPUTS WORK
#
# Runs one libFuzzer target for FUZZ_SECONDS (60 by default), from the
# committed seeds and the inputs that once found a fault
# (INPUTS/corpus/NAME, INPUTS/regressions/NAME), keeping the inputs that
# reach something new in WORK/corpus/NAME. A fault fails the run, its input
# saved under WORK/artifacts/: commit it to tests/fuzz/regressions/NAME/
# and every build replays it as a test.
set -uo pipefail
fuzzer=$1
inputs=$2
work=$3
name=$(basename "$fuzzer")
seconds=${FUZZ_SECONDS:-60}

mkdir -p "$work/corpus/$name" "$work/artifacts"
dirs=("$work/corpus/$name" "$inputs/corpus/$name")
[ -d "$inputs/regressions/$name" ] && dirs+=("$inputs/regressions/$name")
log=$work/$name.log
# -timeout: an input that hangs (a dialog nobody closes) is a fault too.
# -rss_limit_mb: ASan keeps freed memory resident for a while, so a long
# window run grows well past what the same inputs need without it.
if ! "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/$name-" "${dirs[@]}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $name found a fault; the input is in $work/artifacts/" >&2
    exit 1
fi
runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")
kept=$(find "$work/corpus/$name" -type f | wc -l)
echo "fuzz: $name: $runs inputs in $seconds s ($rate a second), $kept new inputs kept in $work/corpus/$name, no fault"

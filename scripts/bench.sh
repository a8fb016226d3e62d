#!/usr/bin/env bash
# Builds the benchmarks (release, build/bench) and prints each figure next to
# its plain-Qt baseline or bare counterpart, the ratio of runs taken side by
# side (median and spread), and the goal for it.
# Missed goals are reported, not failed: the status is 0 unless a step breaks.
# Options go to bench/compare.py (--runs, --repetitions, --min-time, and
# --callgrind to count instructions under valgrind instead of timing).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORVELA_BENCH_BUILD_DIR:-$root/build/bench}"

bash "$root/scripts/setup.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVELA_BUILD_BENCH=ON -DQUORVELA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "${QUORVELA_BENCH_JOBS:-2}" \
    --target quorvela_bench_baseline quorvela_bench_startup quorvela_bench_inprocess

export QT_QPA_PLATFORM=offscreen
exec python3 "$root/bench/compare.py" "$build/bench" "$@"

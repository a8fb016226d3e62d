#!/usr/bin/env bash
# Start-up to first paint of quorvela.exe against a bare Win32 program with
# the same 18 controls, both under Wine on one Xvfb display and one
# wineserver: medians of alternating runs, their ratio and its spread (goal
# <= 1.05).
# Prints the figures; a missed goal is never a failure. Options go to
# bench/win32/startup.py (--runs N).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    exec scripts/with-display.sh bash "$0" "$@"
fi
bash scripts/setup.sh
cmake --preset windows -DQUORVELA_BUILD_BENCH=ON >/dev/null
cmake --build --preset windows -j 2 --target quorvela_bench_baseline quorvela_bench_startup

export WINEPREFIX=$PWD/build/windows/wine
trap 'scripts/wine-run.sh --shutdown' EXIT
scripts/wine-run.sh --serve
# Measured as they would ship, without debugging information: Wine reads the
# whole file, and the debug sections would weigh on the larger program alone.
stripped=build/windows/bench/stripped
mkdir -p "$stripped"
for program in quorvela_bench_startup quorvela_bench_baseline; do
    x86_64-w64-mingw32-strip --preserve-dates -o "$stripped/$program.exe" \
        "build/windows/bench/$program.exe"
done
python3 bench/win32/startup.py "$stripped" "$@"

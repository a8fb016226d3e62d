#!/usr/bin/env bash
# Builds the Windows program for both architectures and runs every Windows
# check under Wine, each a test of the presets windows (64-bit, in a 64-bit
# Wine prefix) and windows-x86 (32-bit, in a 32-bit prefix of 32-bit Wine),
# label windows:
#   - the window suites and the runtime's contract, under the same names as
#     on Linux, and the Windows-only suites;
#   - what quorvela.exe carries, read back from it, and its Windows 7 floor;
#     the zip; the MSI installed, started, upgraded and uninstalled (the x86
#     MSI also in a 64-bit prefix): label packaging.
# Each prefix is BUILD_DIR/wine, made on first use, with one wineserver kept
# for the whole of its tests. The tests wait on Wine far more than they
# compute, so the 64-bit ones run while the 32-bit program builds, on an X
# display of their own; their output follows when they end. Prints the time
# each architecture's tests took.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# One architecture's tests (the script runs itself for each).
if [ "${1:-}" = --tests ]; then
    preset=$2
    [ "$preset" = windows ] && export WINEARCH=win64 || export WINEARCH=win32
    export WINEPREFIX=$root/build/$preset/wine
    echo "== $preset: Wine prefix $WINEPREFIX ($WINEARCH)"
    trap 'scripts/wine-run.sh --shutdown' EXIT
    start=$SECONDS
    scripts/wine-run.sh --serve
    status=0
    ctest --preset "$preset" || status=$?
    echo "== $preset: tests took $((SECONDS - start)) s"
    exit "$status"
fi

if [ -z "${DISPLAY:-}" ]; then
    bash scripts/setup.sh
    exec scripts/with-display.sh bash "$0" "$@"
fi

build() {
    cmake --preset "$1"
    cmake --build --preset "$1" -j 2
}

failures=()
build windows
log=$root/build/windows/tests.log
QUORVELA_NEW_DISPLAY=1 scripts/with-display.sh bash "$0" --tests windows >"$log" 2>&1 &
x64=$!
build windows-x86
bash "$0" --tests windows-x86 || failures+=(windows-x86)
wait "$x64" || failures+=(windows)
cat "$log"

if [ ${#failures[@]} -ne 0 ]; then
    echo "Windows tests: failed in ${failures[*]}"
    exit 1
fi
echo "Windows tests: all passed"

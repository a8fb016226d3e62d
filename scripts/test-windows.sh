#!/usr/bin/env bash
# Builds the Windows program for both architectures (scripts/build-windows.sh)
# and runs every Windows check under Wine, on one X display, each a test of
# the presets windows (64-bit, in a 64-bit Wine prefix) and windows-x86
# (32-bit, in a 32-bit prefix of 32-bit Wine), label windows:
#   - the window suites and the runtime's contract, under the same names as
#     on Linux, and the Windows-only suites;
#   - what quorvela.exe carries, read back from it, and its Windows 7 floor;
#     the zip; the MSI installed, started, upgraded and uninstalled (the x86
#     MSI also in a 64-bit prefix): label packaging.
# Each prefix is BUILD_DIR/wine, made on first use, with one wineserver kept
# for the whole of its tests. Prints the time each architecture took.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    bash scripts/setup.sh
    exec scripts/with-display.sh bash "$0" "$@"
fi
root=$PWD

bash scripts/build-windows.sh

trap 'scripts/wine-run.sh --shutdown' EXIT
failures=()
times=()
for preset in windows windows-x86; do
    [ "$preset" = windows ] && export WINEARCH=win64 || export WINEARCH=win32
    export WINEPREFIX=$root/build/$preset/wine
    echo "== $preset: Wine prefix $WINEPREFIX ($WINEARCH)"
    start=$SECONDS
    # One wineserver for all the tests of this prefix.
    scripts/wine-run.sh --serve
    ctest --preset "$preset" || failures+=("$preset")
    scripts/wine-run.sh --shutdown
    times+=("$preset $((SECONDS - start)) s")
done

echo "Windows tests took: $(IFS=,; echo "${times[*]}" | sed 's/,/, /g')"
if [ ${#failures[@]} -ne 0 ]; then
    echo "Windows tests: failed in ${failures[*]}"
    exit 1
fi
echo "Windows tests: all passed"

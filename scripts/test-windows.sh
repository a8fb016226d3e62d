#!/usr/bin/env bash
# Builds the Windows program for both architectures (scripts/build-windows.sh)
# and runs every Windows test under Wine, on one Xvfb display: for each of
# the presets windows (64-bit, in a 64-bit Wine prefix) and windows-x86
# (32-bit, in a 32-bit prefix of 32-bit Wine), `ctest --preset`:
#   - the runtime's own tests and the whole window driven from outside;
#   - what quorvela.exe carries, read back from it, and its Windows 7 floor;
#   - the zip; the MSI installed, started, upgraded and uninstalled (the x86
#     MSI also in a 64-bit prefix).
# Each prefix is BUILD_DIR/wine, made on first use, with one wineserver kept
# for the whole of its tests. Prints the time each architecture took.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/build-windows.sh

if [ -z "${DISPLAY:-}" ]; then
    # A display of our own for the whole run.
    for n in $(seq 90 130); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
cleanup() {
    scripts/wine-run.sh --shutdown
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    return 0
}
trap cleanup EXIT

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

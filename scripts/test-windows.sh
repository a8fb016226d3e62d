#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and runs every Windows
# check under Wine, on one Xvfb display and one wineserver for the whole run:
#   - the tests of the windows preset (the runtime's contract and the window
#     suites, driven inside the test's process; the whole program driven from
#     outside), through CTest;
#   - the version record, manifest, icon and DLLs read back from quorvela.exe
#     (packaging/windows/check-exe.sh);
#   - the zip's contents; the MSI installed, started and uninstalled
#     (packaging/windows/check-msi.sh).
# The Wine prefix is build/windows/wine, made on first use.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/windows

bash scripts/build-windows.sh

export WINEPREFIX=$build/wine
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

echo "== Wine prefix $WINEPREFIX"
# One wineserver for all tests, kept until the end of the run.
scripts/wine-run.sh --serve

failures=0
echo "== Windows tests under Wine"
ctest --preset windows || failures=$((failures + 1))

echo "== what quorvela.exe carries, read back from it"
bash packaging/windows/check-exe.sh "$build" || failures=$((failures + 1))

echo "== the zip"
zip=$(ls "$build"/packages/quorvela-*-win64.zip)
if [ "$(unzip -Z1 "$zip" | sort | paste -sd ' ')" = "Quorvela/ Quorvela/LEGGIMI.txt Quorvela/quorvela.exe" ]; then
    echo "ok   $(basename "$zip") holds Quorvela/quorvela.exe and Quorvela/LEGGIMI.txt"
else
    echo "FAIL $(basename "$zip") holds: $(unzip -Z1 "$zip" | paste -sd ' ')"
    failures=$((failures + 1))
fi

echo "== MSI install, start and uninstall"
bash packaging/windows/check-msi.sh "$build" || failures=$((failures + 1))

if [ "$failures" -ne 0 ]; then
    echo "Windows checks: $failures group(s) failed"
    exit 1
fi
echo "Windows checks: all passed"

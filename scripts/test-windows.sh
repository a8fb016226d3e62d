#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and runs every Windows
# check under Wine, on one Xvfb display and one wineserver for the whole run:
#   - the tests of the windows preset (the runtime's own, the whole window
#     driven from outside), through CTest;
#   - the version record, manifest and icon read back from quorvela.exe;
#   - the MSI installed, started and uninstalled (packaging/windows/check-msi.sh).
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

echo "== resources read back from quorvela.exe"
x86_64-w64-mingw32-windres -i "$build/app/quorvela.exe" -O res -o "$build/quorvela-exe.res" &&
    python3 packaging/windows/check-resources.py res "$build/quorvela-exe.res" ||
    failures=$((failures + 1))
# The icon group as icoutils extracts it from the .exe.
wrestool --extract --type=group_icon --name=1 "$build/app/quorvela.exe" >"$build/quorvela-exe.ico" &&
    python3 packaging/windows/check-resources.py ico "$build/quorvela-exe.ico" ||
    failures=$((failures + 1))
imports=$(x86_64-w64-mingw32-objdump -p "$build/app/quorvela.exe" | sed -n 's/^\tDLL Name: //p' | sort)
echo "quorvela.exe: $(stat -c %s "$build/app/quorvela.exe") bytes; imports:" $imports
# Linked statically: no DLL of the compiler's runtime (libstdc++, libgcc, libwinpthread).
if grep -qi '^lib' <<<"$imports"; then
    echo "FAIL quorvela.exe needs a DLL that Windows does not ship"
    failures=$((failures + 1))
fi

echo "== MSI install, start and uninstall"
bash packaging/windows/check-msi.sh "$build" || failures=$((failures + 1))

if [ "$failures" -ne 0 ]; then
    echo "Windows checks: $failures group(s) failed"
    exit 1
fi
echo "Windows checks: all passed"

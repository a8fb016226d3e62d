#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and runs every Windows
# check under Wine, on one X display and one wineserver for the whole run,
# each a test of the windows preset (label windows):
#   - the window suites and the runtime's contract, under the same names as
#     on Linux, and the Windows-only suites;
#   - the version record, manifest, icon and DLLs read back from quorvela.exe
#     (packaging/windows/check-exe.sh), the zip's contents (check-zip.sh),
#     the MSI installed, started and uninstalled (check-msi.sh): label
#     packaging.
# The Wine prefix is build/windows/wine, made on first use.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    bash scripts/setup.sh
    exec scripts/with-display.sh bash "$0" "$@"
fi
root=$PWD
build=$root/build/windows

bash scripts/build-windows.sh

export WINEPREFIX=$build/wine
trap 'scripts/wine-run.sh --shutdown' EXIT

echo "== Wine prefix $WINEPREFIX"
# One wineserver for all tests, kept until the end of the run.
scripts/wine-run.sh --serve

echo "== Windows tests and checks under Wine"
ctest --preset windows

#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless,
# each check a CTest test with labels: the normal build (warnings are
# errors) with its tests, the format and static checks (lint) and the
# packaging checks; the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer; the fuzz targets for a bounded time; the
# Windows program cross-built and tested under Wine, its packages checked.
# One X display, started here for the whole run, serves every test that
# needs one (label x11, Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${QUORVELA_TEST_DISPLAY:-}" ]; then
    bash scripts/setup.sh
    QUORVELA_TEST_DISPLAY=1 QUORVELA_NEW_DISPLAY=1 exec scripts/with-display.sh bash "$0" "$@"
fi
export QT_QPA_PLATFORM=offscreen
echo "== X display $DISPLAY"

echo "== build and test (warnings are errors), lint and packaging checks"
cmake --workflow --preset ci

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset asan

echo "== bounded fuzzing (libFuzzer, about a minute a target)"
bash scripts/fuzz.sh

echo "== Windows program: cross-built with MinGW-w64, tested under Wine"
bash scripts/test-windows.sh

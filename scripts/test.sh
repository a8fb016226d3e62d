#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless,
# each check a CTest test with labels: the normal build (warnings are
# errors) with its tests, the format and static checks (lint) and the
# packaging checks (the Debian package through lintian among them); the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer;
# the fuzz targets for a bounded time; the Windows program cross-built for
# 64-bit and 32-bit Windows and tested under 64-bit and 32-bit Wine, its
# packages checked. One X display, started here for the whole run, serves
# every test that needs one (label x11, Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${QUORVELA_TEST_DISPLAY:-}" ]; then
    bash scripts/setup.sh
    QUORVELA_TEST_DISPLAY=1 QUORVELA_NEW_DISPLAY=1 exec scripts/with-display.sh bash "$0" "$@"
fi
export QT_QPA_PLATFORM=offscreen
# Each step's heading says how long the run has taken so far.
stage() { echo "== $* ($((SECONDS / 60)) min $((SECONDS % 60)) s in)"; }
stage "X display $DISPLAY"

stage "build and test (warnings are errors), lint and packaging checks"
cmake --workflow --preset ci

stage "build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset asan

stage "bounded fuzzing (libFuzzer, about a minute a target)"
bash scripts/fuzz.sh

stage "Windows program, 64-bit and 32-bit: cross-built with MinGW-w64, tested under Wine"
bash scripts/test-windows.sh
stage "all passed"

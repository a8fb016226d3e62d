#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless:
# the normal build (warnings are errors), the format and static checks, the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the fuzz targets for a bounded time, the packaging checks (the Debian
# package through lintian among them), and the Windows program cross-built
# for 64-bit and 32-bit Windows and tested under 64-bit and 32-bit Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
# Each step's heading says how long the run has taken so far.
stage() { echo "== $* ($((SECONDS / 60)) min $((SECONDS % 60)) s in)"; }
bash scripts/setup.sh

stage "build and test (warnings are errors)"
cmake --workflow --preset ci

stage "clang-format and clang-tidy"
bash scripts/lint.sh build/ci

stage "build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset asan

stage "bounded fuzzing (libFuzzer, about a minute a target)"
bash scripts/fuzz.sh

if [ -f scripts/packaging-checks.sh ]; then
    stage "packaging checks"
    bash scripts/packaging-checks.sh build/ci
fi

stage "Windows program, 64-bit and 32-bit: cross-built with MinGW-w64, tested under Wine"
bash scripts/test-windows.sh
stage "all passed"

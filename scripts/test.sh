#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless:
# the normal build (warnings are errors), the format and static checks, the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the fuzz targets for a bounded time, the packaging checks, and the Windows
# program cross-built and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
bash scripts/setup.sh

echo "== build and test (warnings are errors)"
cmake --workflow --preset ci

echo "== clang-format and clang-tidy"
bash scripts/lint.sh build/ci

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset asan

echo "== bounded fuzzing (libFuzzer, about a minute a target)"
bash scripts/fuzz.sh

if [ -f scripts/packaging-checks.sh ]; then
    echo "== packaging checks"
    bash scripts/packaging-checks.sh build/ci
fi

echo "== Windows program: cross-built with MinGW-w64, tested under Wine"
bash scripts/test-windows.sh

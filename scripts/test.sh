#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
bash scripts/setup.sh

echo "== build and test (warnings are errors)"
cmake --workflow --preset ci

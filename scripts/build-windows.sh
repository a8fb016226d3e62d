#!/usr/bin/env bash
# Installs what is missing and cross-builds quorvela.exe with MinGW-w64 for
# 64-bit Windows (preset windows, build/windows) and for 32-bit Windows
# (preset windows-x86, build/windows-x86); each build makes its zip and MSI
# in its packages/ folder. Options go to the configure steps (-DNAME=VALUE).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

for preset in windows windows-x86; do
    cmake --preset "$preset" "$@"
    cmake --build --preset "$preset" -j 2
done
ls -l build/windows/app/quorvela.exe build/windows/packages/ \
    build/windows-x86/app/quorvela.exe build/windows-x86/packages/

#!/usr/bin/env bash
# Installs what is missing, cross-builds quorvela.exe for 64-bit Windows with
# MinGW-w64 (preset windows, build/windows) and makes the zip and the MSI in
# build/windows/packages. Options go to the configure step (-DNAME=VALUE).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake --preset windows "$@"
cmake --build --preset windows -j 2
cmake --build --preset windows --target windows_packages
ls -l build/windows/app/quorvela.exe build/windows/packages/

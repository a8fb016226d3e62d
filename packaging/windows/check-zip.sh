#!/usr/bin/env bash
# usage: packaging/windows/check-zip.sh BUILD_DIR   (default build/windows)
#
# The zip a Windows user unpacks holds the program and its note, in one
# folder, and nothing else. Prints one line; non-zero exit when it fails.
set -uo pipefail
build=$(realpath -m "${1:-build/windows}")
zip=$(ls "$build"/packages/quorvela-*-win64.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || { echo "FAIL no zip in $build/packages (build the target windows_packages)"; exit 1; }
contents=$(unzip -Z1 "$zip" | sort | paste -sd ' ')
if [ "$contents" = "Quorvela/ Quorvela/LEGGIMI.txt Quorvela/quorvela.exe" ]; then
    echo "ok   $(basename "$zip") holds Quorvela/quorvela.exe and Quorvela/LEGGIMI.txt"
else
    echo "FAIL $(basename "$zip") holds: $contents"
    exit 1
fi

#!/usr/bin/env bash
# usage: packaging/windows/check-zip.sh BUILD_DIR   (default build/windows)
#
# Reads back BUILD_DIR's zip (win64 or win32): it holds the folder Quorvela
# with the built program, stripped, and LEGGIMI.txt, with Windows line ends,
# the version and the architecture of the program beside it, and no
# placeholder left. Prints one line per check; non-zero exit when any fails.
set -uo pipefail
build=$(realpath -m "${1:-build/windows}")
header=$build/generated/quorvela/version.h
version=$(sed -n 's/^inline constexpr const char\* Version = "\(.*\)";$/\1/p' "$header")
zip=$(ls "$build/packages/quorvela-$version-"win??.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || { echo "FAIL no zip of version $version in $build/packages (build the tree first)"; exit 1; }
bits=${zip%.zip}
bits=${bits##*-win}
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$build/CMakeCache.txt")

. "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"

echo "== $(basename "$zip"): $(stat -c %s "$zip") bytes"
check "holds Quorvela/quorvela.exe and Quorvela/LEGGIMI.txt, nothing else" \
    test "$(unzip -Z1 "$zip" | sort | paste -sd ' ')" = "Quorvela/ Quorvela/LEGGIMI.txt Quorvela/quorvela.exe"
unzip -q "$zip" -d "$tmp"
"$strip" --preserve-dates -o "$tmp/built.exe" "$build/app/quorvela.exe"
check "quorvela.exe is the built program, stripped" cmp "$tmp/Quorvela/quorvela.exe" "$tmp/built.exe"
readme=$tmp/Quorvela/LEGGIMI.txt
check "LEGGIMI.txt ends every line with CR LF" test "$(grep -c $'\r$' "$readme")" -eq "$(wc -l <"$readme")"
check "LEGGIMI.txt names version $version" grep -q "^Quorvela $version"$'\r$' "$readme"
check "LEGGIMI.txt says the program is the $bits-bit one" grep -q "quorvela.exe a $bits bit" "$readme"
check "LEGGIMI.txt has no placeholder left" bash -c '! grep -q "@[A-Z]*@" "$0"' "$readme"

summary "zip check"

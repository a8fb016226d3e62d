#!/usr/bin/env bash
# Checks the C++ sources against .clang-format (every file) and .clang-tidy
# (the program's own sources, with the compile commands of a configured
# build; the Windows backend with those of the windows preset, configured
# here when missing, and MinGW's C++ headers). Usage: scripts/lint.sh [build
# dir, default build/ci]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}

mapfile -t all < <(git ls-files '*.cpp' '*.h' | grep -v '^tests/fuzz/corpus/')
echo "clang-format: ${#all[@]} files"
clang-format-14 --dry-run --Werror "${all[@]}"

mapfile -t own < <(git ls-files ':(glob)calc/*.cpp' ':(glob)runtime/*.cpp' ':(glob)runtime/qt/*.cpp' ':(glob)window/*.cpp' ':(glob)app/*.cpp')
echo "clang-tidy: ${#own[@]} files"
printf '%s\n' "${own[@]}" |
    xargs -P "$(nproc)" -n 1 clang-tidy-14 -p "$build" --quiet --warnings-as-errors='*' 2>/dev/null

# The Windows backend, as the cross-compiler sees it.
cxx=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ 2>/dev/null | sort -V | tail -n 1)
if [ -z "$cxx" ]; then
    echo "clang-tidy: MinGW-w64's C++ headers are missing (scripts/setup.sh installs them)" >&2
    exit 1
fi
[ -f build/windows/compile_commands.json ] || cmake --preset windows >/dev/null
mapfile -t win32 < <(git ls-files ':(glob)runtime/win32/*.cpp')
echo "clang-tidy (windows): ${#win32[@]} files"
printf '%s\n' "${win32[@]}" |
    xargs -P "$(nproc)" -n 1 clang-tidy-14 -p build/windows --quiet --warnings-as-errors='*' \
        --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-nostdinc++ \
        --extra-arg=-isystem"$cxx" --extra-arg=-isystem"$cxx/x86_64-w64-mingw32" 2>/dev/null
echo "lint: clean"

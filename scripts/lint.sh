#!/usr/bin/env bash
# Checks the C++ sources against .clang-format (every file) and .clang-tidy
# (the program's own sources, with the compile commands of a configured
# build). Usage: scripts/lint.sh [build dir, default build/ci]
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
echo "lint: clean"

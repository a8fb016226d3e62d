#!/usr/bin/env bash
# Checks the C++ sources against .clang-format (every file) and .clang-tidy
# (every source a build compiles, with that build's compile commands).
# Usage: scripts/lint.sh [build dir, default build/ci] [host|windows]
#   host     the format of every file, and the sources this host's build
#            compiles (the ci preset's compile commands)
#   windows  the Windows-only sources (the windows preset's compile commands)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
sources=${2:-host}
extra=()

# One list a compile database, as git pathspecs.
windows=(':(glob)runtime/win32/*.cpp' ':(glob)tests/**/win32/*.cpp')
host=(':(glob)calc/*.cpp' ':(glob)runtime/*.cpp' ':(glob)runtime/qt/*.cpp' ':(glob)window/*.cpp'
    ':(glob)app/*.cpp' ':(glob)tests/**/*.cpp' ':(exclude,glob)tests/**/win32/*.cpp')

case $sources in
host)
    mapfile -t all < <(git ls-files '*.cpp' '*.h' | grep -v '^tests/fuzz/corpus/')
    echo "clang-format: ${#all[@]} files"
    clang-format-14 --dry-run --Werror "${all[@]}"
    mapfile -t checked < <(git ls-files "${host[@]}")
    ;;
windows)
    mapfile -t checked < <(git ls-files "${windows[@]}")
    # clang knows no MinGW-w64 of its own: it is given the cross-compiler's
    # C++ and Windows headers, not GCC's intrinsics, which only GCC reads.
    compiler=$(grep -m1 -oP '"command": "\K[^ ]+' "$build/compile_commands.json")
    mapfile -t extra < <("$compiler" -E -x c++ -v - </dev/null 2>&1 |
        sed -n '/^#include <...> search starts here:/,/^End of search list./s/^ //p' |
        grep -v '/lib/gcc/[^/]*/[^/]*/include\(-fixed\)\?$' | sed 's/^/--extra-arg=-isystem/')
    ;;
*)
    echo "usage: $0 [build dir] [host|windows]" >&2
    exit 2
    ;;
esac

echo "clang-tidy: ${#checked[@]} files ($sources)"
printf '%s\n' "${checked[@]}" |
    xargs -P "$(nproc)" -n 1 clang-tidy-14 -p "$build" --quiet --warnings-as-errors='*' \
        "${extra[@]}" 2>/dev/null
echo "lint: clean"

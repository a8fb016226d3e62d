#!/usr/bin/env bash
# usage: scripts/mutate.sh [-o REPORT.md] [NAME...]
#
# Plants one-line faults, one at a time, in a scratch copy of the working
# tree and runs the test suite against each: a fault no test notices is a
# hole in the tests. The faults are listed in scripts/mutants.txt, one a
# line: name, file, the exact text to replace (found exactly once; "\n" for a
# line break) and its replacement, separated by tabs. NAMEs pick some of
# them; by default all.
#
# Prints which tests caught each fault, and how many the randomized sessions
# (tst_random_sessions, fuzz_window) caught on their own. Not part of CI: it
# rebuilds once per fault (only what the fault touches, 2 jobs).
#
# A fault in runtime/win32/ is built by the Windows cross-build and tested
# under Wine (its own scratch build and Wine prefix, on the display in
# DISPLAY or on one of its own); every other fault, runtime/qt/ among them,
# by the Linux build on Qt's offscreen platform (the suites labelled x11 on
# an X display, the same way).
#
# MUTATE_DIR: the scratch directory (default /tmp/quorvela-mutate).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

report=""
if [ "${1:-}" = "-o" ]; then
    report=$2
    shift 2
fi
wanted=("$@")

scratch=${MUTATE_DIR:-/tmp/quorvela-mutate}
sessions_re='^(tst_random_sessions|fuzz_window)$'
export QT_QPA_PLATFORM=offscreen

mkdir -p "$scratch"
# The working tree as it stands, committed or not. The files keep their
# times, so the build keeps the objects of an earlier run.
rm -rf "$scratch/src"
mkdir -p "$scratch/src"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$scratch/src" -xf -
configured=()

# The build a fault in FILE is tested by.
platform_of() {
    case "$1" in
        runtime/win32/*) echo windows ;;
        *) echo linux ;;
    esac
}

configure() {
    case "$1" in
        linux)
            cmake -S "$scratch/src" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
                -DQUORVELA_BUILD_BENCH=OFF >/dev/null
            ;;
        windows)
            cmake -S "$scratch/src" -B "$scratch/build-windows" -G Ninja \
                -DCMAKE_TOOLCHAIN_FILE="$scratch/src/cmake/toolchains/mingw-w64-x86_64.cmake" \
                -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
            ;;
    esac
}

build_and_test() {
    local dir=$scratch/build runner=() jobs=2
    if [ "$1" = windows ]; then
        # One test at a time: the window suites take the desktop's focus.
        dir=$scratch/build-windows
        jobs=1
        # One Wine prefix for every run.
        export WINEPREFIX=$scratch/wine
    fi
    # A display of its own when none is set: Wine, and the Linux suites
    # that need the X server (label x11), which would skip without one.
    [ -z "${DISPLAY:-}" ] && runner=(bash "$source_dir/scripts/with-display.sh")
    if ! cmake --build "$dir" -j2 >"$scratch/build.log" 2>&1; then
        echo "BUILD-FAILED"
        return
    fi
    # The names of the tests that failed, one a line. The format and static
    # checks and the packaging checks judge the sources and the packages,
    # not what the program does: they are left out.
    (cd "$dir" && "${runner[@]}" ctest -j"$jobs" --timeout 600 -LE 'lint|packaging' 2>&1 || true) |
        sed -n '/\*\*\*Skipped/d; s/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([A-Za-z0-9_]*\) .*\*\*\*.*/\1/p' | sort
}

# Each build once, before its first fault: the unchanged tree must pass.
ready() {
    [[ " ${configured[*]} " == *" $1 "* ]] && return
    configure "$1"
    echo "== the unchanged tree ($1)"
    local baseline
    baseline=$(build_and_test "$1")
    if [ -n "$baseline" ]; then
        echo "mutate: the unchanged tree already fails ($1): $baseline" >&2
        exit 1
    fi
    configured+=("$1")
}

total=0
caught=0
by_sessions=0
rows=()
while IFS=$'\t' read -r name file original replacement; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $name "* ]]; then
        continue
    fi
    platform=$(platform_of "$file")
    ready "$platform"
    target="$scratch/src/$file"
    # "\n" in either text stands for a line break.
    export ORIGINAL=${original//\\n/$'\n'} REPLACEMENT=${replacement//\\n/$'\n'}
    matches=$(perl -0ne 'my $n = () = /\Q$ENV{ORIGINAL}\E/g; print $n' "$target")
    if [ "$matches" != 1 ]; then
        echo "mutate: $name: the text is found $matches times in $file" >&2
        exit 1
    fi
    cp "$target" "$scratch/original"
    perl -0pi -e 's/\Q$ENV{ORIGINAL}\E/$ENV{REPLACEMENT}/' "$target"
    start=$SECONDS
    failed=$(build_and_test "$platform")
    cp "$scratch/original" "$target"
    total=$((total + 1))
    if [ "$failed" = "BUILD-FAILED" ]; then
        echo "mutate: $name does not build; see $scratch/build.log" >&2
        exit 1
    fi
    sessions=$(grep -E "$sessions_re" <<<"$failed" | paste -sd, - || true)
    [ -n "$failed" ] && caught=$((caught + 1))
    [ -n "$sessions" ] && by_sessions=$((by_sessions + 1))
    list=$(paste -sd, - <<<"$failed")
    row="| $name | \`$file\` | ${list:-**none**} | ${sessions:+yes} |"
    rows+=("$row")
    printf '%-36s %4ds  %s\n' "$name" $((SECONDS - start)) "${list:-NOT CAUGHT}"
done <scripts/mutants.txt

# Put the scratch builds back as they were, so the next run starts from them.
for platform in "${configured[@]}"; do
    dir=$scratch/build
    [ "$platform" = windows ] && dir=$scratch/build-windows
    cmake --build "$dir" -j2 >/dev/null 2>&1 || true
done

summary="$total faults: $caught caught by the suite, $by_sessions by the randomized sessions alone"
echo "== $summary"
if [ -n "$report" ]; then
    {
        echo "| Fault | File | Caught by | Sessions |"
        echo "|---|---|---|---|"
        printf '%s\n' "${rows[@]}"
        echo
        echo "$summary."
    } >"$report"
fi
[ "$caught" -eq "$total" ]

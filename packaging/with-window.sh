#!/usr/bin/env bash
# usage: packaging/with-window.sh PROGRAM -- COMMAND [ARG...]
#
# Starts PROGRAM on a display of its own (scripts/with-display.sh), with no
# window manager and nothing else on it, waits until it maps its window
# (a top-level window of PROGRAM's process whose title begins with
# "Quorvela"), runs COMMAND with WINDOW_ID and DISPLAY set, then ends the
# program. Exits with COMMAND's status, or 1 when the window never appears or
# the program ends on its own first. Needs Xvfb and x11-utils.
#
# QUORVELA_WINDOW_WAIT: seconds to wait for the window (default 60); a bound
# for a hung program, not a measure of start-up time.
set -uo pipefail

if [ "${1:-}" != "--on-display" ]; then
    if [ $# -lt 3 ] || [ "$2" != "--" ]; then
        sed -n '2,12s/^# \{0,1\}//p' "$0" >&2
        exit 2
    fi
    for tool in xwininfo xprop; do
        command -v "$tool" >/dev/null || { echo "with-window: $tool is missing" >&2; exit 1; }
    done
    QUORVELA_NEW_DISPLAY=1 exec "$(dirname "$0")/../scripts/with-display.sh" "$0" --on-display "$@"
fi
shift

program=$1
shift 2
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# The caller may have chosen the offscreen platform for its tests; here the
# window must reach the X display.
QT_QPA_PLATFORM=xcb "$program" >"$log" 2>&1 &
pid=$!

end_program() {
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
}

# Prints the id of the program's mapped window titled "Quorvela...", if any.
find_window() {
    local id
    # Without a window manager, the program's windows are children of the root.
    for id in $(xwininfo -root -children 2>/dev/null |
            sed -n 's/^ *\(0x[0-9a-f]*\) "Quorvela.*/\1/p'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
        xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $pid\$" || continue
        echo "$id"
        return 0
    done
    return 1
}

wait_limit=${QUORVELA_WINDOW_WAIT:-60}
start=$SECONDS
until WINDOW_ID=$(find_window); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        echo "with-window: $program ended (status $?) before showing its window; its output:" >&2
        sed 's/^/    /' "$log" >&2
        exit 1
    fi
    if (( SECONDS - start >= wait_limit )); then
        echo "with-window: no window of $program after ${wait_limit} s; windows on the display:" >&2
        xwininfo -root -children 2>&1 | sed 's/^/    /' >&2
        end_program
        exit 1
    fi
    sleep 0.2
done
export WINDOW_ID DISPLAY

"$@"
status=$?

if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "with-window: $program ended (status $?) while its window was in use; its output:" >&2
    sed 's/^/    /' "$log" >&2
    [ "$status" -eq 0 ] && status=1
fi
end_program
exit "$status"

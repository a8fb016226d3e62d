#!/usr/bin/env bash
# usage: scripts/with-display.sh COMMAND [ARG...]
#
# Runs COMMAND with DISPLAY naming an X display: the one already set, or an
# Xvfb started here and ended with COMMAND. The one place the project starts
# an X display: scripts/test.sh runs the whole test command inside one, and
# every script that needs a display of its own calls this one.
# Exits with COMMAND's status.
#
# QUORVELA_SCREEN: the screen, WIDTHxHEIGHTxDEPTH (default 1280x1024x24).
# QUORVELA_NEW_DISPLAY=1: an Xvfb of its own even when DISPLAY is set (for a
# screen with no window manager and nothing else on it).
set -uo pipefail

if [ $# -eq 0 ]; then
    sed -n '2,12s/^# \{0,1\}//p' "$0" >&2
    exit 2
fi
if [ -n "${DISPLAY:-}" ] && [ -z "${QUORVELA_NEW_DISPLAY:-}" ]; then
    exec "$@"
fi
unset QUORVELA_NEW_DISPLAY
for tool in Xvfb xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "with-display: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
done
screen=${QUORVELA_SCREEN:-1280x1024x24}

# A free number found by trying, each checked with xdpyinfo: Xvfb's own
# choice (-displayfd) has handed out a number already in use when several
# servers started at once.
xvfb=
for n in $(seq 90 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    DISPLAY=:$n xdpyinfo >/dev/null 2>&1 && continue
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp -noreset >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        DISPLAY=:$n xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    # Answering, and ours: a server that lost the number to another one ends.
    if kill -0 "$pid" 2>/dev/null && DISPLAY=:$n xdpyinfo >/dev/null 2>&1; then
        xvfb=$pid
        break
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
done
if [ -z "$xvfb" ]; then
    echo "with-display: no Xvfb could be started on a free display (:90 to :199)" >&2
    exit 1
fi
export DISPLAY=:$n
unset WAYLAND_DISPLAY

end_server() {
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
}
trap end_server EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

"$@"

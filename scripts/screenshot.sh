#!/usr/bin/env bash
# usage: scripts/screenshot.sh [PROGRAM [PNG]]
#
# Starts the built program under Xvfb, saves a picture of its window as PNG
# and ends the program. PROGRAM defaults to build/ci/app/quorvela, PNG to
# packaging/screenshots/quorvela.png (the picture the README and the AppStream
# metainfo show). There is no window manager, so the picture is the client
# area alone, without a title bar.
set -euo pipefail
cd "$(dirname "$0")/.."

program=$(realpath "${1:-build/ci/app/quorvela}")
out=$(realpath -m "${2:-packaging/screenshots/quorvela.png}")
[ -x "$program" ] || { echo "screenshot: $program is not an executable; build it first" >&2; exit 1; }
command -v import >/dev/null || { echo "screenshot: import (imagemagick) is missing" >&2; exit 1; }
mkdir -p "$(dirname "$out")"

# The window is mapped before Qt has painted it; give the first paint a moment.
# -strip leaves out the time stamps, so that an unchanged window gives an
# unchanged file.
packaging/with-window.sh "$program" -- sh -c \
    'sleep 1 && import -window "$WINDOW_ID" -strip "$0"' "$out"

echo "screenshot: $out ($(identify -format '%wx%h' "$out"))"

#!/usr/bin/env bash
# Renders the committed PNG and ICO files from their SVG drawings. The build
# uses the rendered files as they are, so run this after editing a drawing and
# commit the results with it. Needs rsvg-convert (librsvg2-bin) and icotool
# (icoutils).
set -euo pipefail
cd "$(dirname "$0")"

for tool in rsvg-convert icotool; do
    command -v "$tool" >/dev/null || { echo "render-pictures: $tool is missing" >&2; exit 1; }
done

render() { # svg width height png
    rsvg-convert --width "$2" --height "$3" --format png --output "$4" "$1"
    echo "rendered $4 (${2}x${3})"
}

# The 16 px image has a drawing of its own, fitted to its pixel grid.
render icons/quorvela-16.svg 16 16 icons/quorvela-16.png
render icons/quorvela.svg 32 32 icons/quorvela-32.png
render icons/quorvela.svg 64 64 icons/quorvela-64.png
render images/stopwatch.svg 55 64 images/stopwatch.png

# Uncompressed 32-bit bitmaps (icotool's default, not --raw PNG entries), which
# every Windows version's loader and resource compiler takes.
icotool --create --bit-depth=32 --output=windows/quorvela.ico \
    icons/quorvela-16.png icons/quorvela-32.png icons/quorvela-64.png
echo "rendered windows/quorvela.ico"
icotool --list windows/quorvela.ico

# Image1's picture for the Windows program: its own size and the sizes it takes
# at 144 and 192 dpi, so that the loader picks a sharp one at every scale.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 55x64 83x96 110x128; do
    render images/stopwatch.svg "${size%x*}" "${size#*x}" "$tmp/stopwatch-$size.png"
done
icotool --create --bit-depth=32 --output=windows/stopwatch.ico \
    "$tmp/stopwatch-55x64.png" "$tmp/stopwatch-83x96.png" "$tmp/stopwatch-110x128.png"
echo "rendered windows/stopwatch.ico"

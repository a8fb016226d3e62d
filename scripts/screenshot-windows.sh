#!/usr/bin/env bash
# usage: scripts/screenshot-windows.sh [BUILD_DIR]   (default build/windows)
#
# Pictures of the Windows program's window under Wine, title bar included, at
# 96 dpi and at 144 dpi: packaging/screenshots/quorvela-windows-96dpi.png and
# -144dpi.png. The 144 dpi picture comes from a copy of the test prefix with
# the screen's density set to 144 dots per inch.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build/windows}")
program=$build/app/quorvela.exe
[ -f "$program" ] || { echo "screenshot: build $program first" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ]; then
    # A screen larger than Wine's desktop: the pointer, in the screen's
    # middle, stays off the window and shows no tooltip.
    QUORVELA_SCREEN=2600x2100x24 exec scripts/with-display.sh bash "$0" "$build"
fi

caption="Quorvela -  07/2024  -  "
shoot() { # prefix dpi
    export WINEPREFIX=$1
    scripts/wine-run.sh --serve
    scripts/wine-run.sh "$program" &
    local started=$!
    for _ in $(seq 100); do
        xwininfo -root -tree 2>/dev/null | grep -qF "$caption" && break
        # Wine's own desktop window holds the program's windows.
        xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop' && sleep 2 && break
        sleep 0.2
    done
    sleep 2  # the first paint
    local out=$root/packaging/screenshots/quorvela-windows-${2}dpi.png
    # The desktop's plain colour around the window is cut away.
    local desktop
    desktop=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Default - Wine desktop".*/\1/p' | head -n 1)
    import -window "${desktop:-root}" png:- | convert - -fuzz 1% -trim +repage -strip "$out"
    echo "saved $out ($(identify -format '%wx%h' "$out"))"
    scripts/wine-run.sh taskkill /im quorvela.exe >/dev/null 2>&1 || true
    wait "$started" 2>/dev/null || true
    scripts/wine-run.sh --shutdown
}

scripts/wine-run.sh --boot
shoot "$build/wine" 96

# A copy of the prefix at 144 dpi: the program lays itself out at the
# screen's density.
rm -rf "$build/wine-144dpi"
cp -a "$build/wine" "$build/wine-144dpi"
cat >"$build/wine-144dpi/drive_c/dpi.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000090

[HKEY_CURRENT_CONFIG\Software\Fonts]
"LogPixels"=dword:00000090
REG
WINEPREFIX=$build/wine-144dpi scripts/wine-run.sh regedit /S 'C:\dpi.reg'
WINEPREFIX=$build/wine-144dpi scripts/wine-run.sh --shutdown
shoot "$build/wine-144dpi" 144

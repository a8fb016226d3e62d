#!/usr/bin/env bash
# usage: scripts/wine-run.sh PROGRAM.exe [ARGS...]
#        scripts/wine-run.sh --boot          (only make the prefix ready)
#        scripts/wine-run.sh --serve         (make it ready and keep one wineserver
#                                             running for the programs that follow)
#        scripts/wine-run.sh --shutdown      (end the prefix's wineserver)
#
# Runs a Windows program under Wine in the project's own prefix, quiet and
# without prompts. The prefix lives in the build tree and is made on first
# use: booted once, Calibri replaced by its metric twin Carlito, no Mono or
# Gecko installer asked for. Nothing outside the prefix is touched.
#
# 64 or 32 bits: WINEARCH (win64 or win32) when set, else that of PROGRAM.exe
# (PE machine i386 is win32), else win64. A 32-bit prefix runs on Wine's
# 32-bit loader (wine32), as on a 32-bit Windows with no WoW64 layer. The
# prefix is WINEPREFIX, by default build/windows/wine (win64) or
# build/windows-x86/wine (win32): the trees of the presets that build them.
#
# Needs a display: with DISPLAY unset it runs itself on a display of its own
# (scripts/with-display.sh) and waits for the prefix's processes to end
# before that display goes. scripts/test-windows.sh starts one display for a
# whole run and one wineserver for all the tests of each prefix, so that each
# test does not pay Wine's start again.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")

# The machine field of a PE file's COFF header, in hex: 14c i386, 8664 x64.
pe_machine() {
    local header
    header=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ') || return 0
    [ -n "$header" ] && od -An -t x2 -j "$((header + 4))" -N 2 "$1" 2>/dev/null | tr -d ' '
}
if [ -z "${WINEARCH:-}" ]; then
    WINEARCH=win64
    [ -f "${1:-}" ] && [ "$(pe_machine "$1")" = 14c ] && WINEARCH=win32
fi
case $WINEARCH in
    # Each loader alone: Debian's wrapper would pick the 32-bit one for both.
    win64) wine=/usr/lib/wine/wine64 default_prefix=$root/build/windows/wine ;;
    win32) wine=/usr/lib/wine/wine default_prefix=$root/build/windows-x86/wine ;;
    *) echo "wine-run: WINEARCH must be win64 or win32, not $WINEARCH" >&2; exit 2 ;;
esac
[ -x "$wine" ] || { echo "wine-run: no $wine (Debian's wine64, or wine32:i386 for win32)" >&2; exit 1; }
export WINEARCH WINELOADER=$wine
export WINEPREFIX=${WINEPREFIX:-$default_prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko download dialogs; no Wine menu entries or file associations
# written into the user's desktop.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

if [ -z "${DISPLAY:-}" ]; then
    [ "${1:-}" = --shutdown ] && { "$wineserver" -k 2>/dev/null || true; exit 0; }
    # The prefix's processes must end before this display does.
    QUORVELA_WINE_PRIVATE_DISPLAY=1 exec "$here/with-display.sh" "${BASH_SOURCE[0]}" "$@"
fi

boot_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Another test may be making the prefix right now: one maker at a time.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.quorvela-ready" ]; then
        rm -rf "$WINEPREFIX"
        "$wine" wineboot --init >/dev/null 2>&1
        cat >"$WINEPREFIX/quorvela.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Calibri"="Carlito"

; One desktop window of Wine's own, of a fixed size: windows get their frames
; and activation from Wine as on Windows, with no window manager needed.
[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""
REG
        "$wine" regedit /S "$WINEPREFIX/quorvela.reg" >/dev/null 2>&1
        "$wineserver" -w
        touch "$WINEPREFIX/.quorvela-ready"
    fi
    flock -u 9
}

case "${1:-}" in
    --boot) boot_prefix ;;
    --serve)
        boot_prefix
        # A wineserver of the prefix left by an interrupted run refuses a
        # second one (status 2) and serves as well.
        "$wineserver" -p || [ $? -eq 2 ]
        # Wine's own processes (desktop, services) start with the first
        # program and would inherit its output pipes, holding them open after
        # it ends: they start here, on nothing.
        "$wine" cmd /c exit </dev/null >/dev/null 2>&1
        ;;
    --shutdown) "$wineserver" -k 2>/dev/null || true ;;
    '') echo "usage: $0 PROGRAM.exe [ARGS...] | --boot | --shutdown" >&2; exit 2 ;;
    *)
        boot_prefix
        status=0
        "$wine" "$@" || status=$?
        # A program that ends early says nothing of why with Wine's messages
        # off: its status at least tells an exit from a crash.
        [ "$status" -ne 0 ] && echo "wine-run: ${1##*/} ended with status $status" >&2
        [ -n "${QUORVELA_WINE_PRIVATE_DISPLAY:-}" ] && "$wineserver" -w
        exit "$status"
        ;;
esac

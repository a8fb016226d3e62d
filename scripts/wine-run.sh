#!/usr/bin/env bash
# usage: scripts/wine-run.sh PROGRAM.exe [ARGS...]
#        scripts/wine-run.sh --boot          (only make the prefix ready)
#        scripts/wine-run.sh --serve         (make it ready and keep one wineserver
#                                             running for the programs that follow)
#        scripts/wine-run.sh --shutdown      (end the prefix's wineserver)
#
# Runs a Windows program under Wine in the project's own prefix, quiet and
# without prompts. The prefix lives in the build tree (WINEPREFIX, default
# build/windows/wine) and is made on first use: booted once, Calibri
# replaced by its metric twin Carlito, no Mono or Gecko installer asked
# for. Nothing outside the prefix is touched.
#
# Needs a display: with DISPLAY unset it runs itself on a display of its own
# (scripts/with-display.sh) and waits for the prefix's processes to end
# before that display goes.
# scripts/test-windows.sh starts one display and one wineserver for a whole
# run, so that each test does not pay Wine's start again.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")

export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko download dialogs; no Wine menu entries or file associations
# written into the user's desktop.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
# Wine's 64-bit loader alone: Debian's wrapper asks for the 32-bit one.
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
export WINELOADER=$wine
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
        "$wineserver" -p
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
        [ -n "${QUORVELA_WINE_PRIVATE_DISPLAY:-}" ] && "$wineserver" -w
        exit "$status"
        ;;
esac

#!/usr/bin/env bash
# usage: packaging/windows/check-msi.sh BUILD_DIR   (default build/windows)
#
# Installs BUILD_DIR's MSI in the Wine test prefix as an administrator would
# (msiexec /i /qn), checks the program, the Start-menu shortcut and the
# Add/Remove Programs entry, starts the installed program until its window
# shows, closes it, uninstalls (msiexec /x /qn) and checks that nothing is
# left. Prints one line per check and exits non-zero when any fails.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=$(realpath -m "${1:-build/windows}")
if [ -z "${DISPLAY:-}" ]; then
    exec scripts/with-display.sh bash "$0" "$build"
fi

wine=("$root/scripts/wine-run.sh")
export WINEPREFIX=${WINEPREFIX:-$build/wine}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
msi=$(ls "$build"/packages/quorvela-*-x64.msi 2>/dev/null | head -n 1)
program=$build/app/quorvela.exe
installed="$WINEPREFIX/drive_c/Program Files/Quorvela"
caption="Quorvela -  07/2024  -  "

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
passes=0
pass() { echo "ok   $*"; passes=$((passes + 1)); }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
check() { local label=$1; shift; if "$@"; then pass "$label"; else fail "$label"; fi; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
arp_entry() { "${wine[@]}" reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ {key=$0} /DisplayName +REG_SZ +Quorvela$/ {print key}'; }
shortcuts() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/*' -iname 'Quorvela.lnk'; }
# Now and then Wine's loader fails to start a program of its own: on a loaded
# CI machine msiexec once ended at once with "Application could not be
# started ... ShellExecuteEx failed: Internal error", having done nothing.
# That says nothing about the package, so such a start is tried once more;
# any other failure counts. The output goes to a file, not a pipe, which
# Wine's background processes could hold open.
run_msiexec() {
    local status=0
    "${wine[@]}" msiexec "$@" >"$tmp/msiexec.out" 2>&1 || status=$?
    if [ "$status" -ne 0 ] && grep -q 'Application could not be started' "$tmp/msiexec.out"; then
        echo "note Wine did not start msiexec $1 ($(tr -d '\r' <"$tmp/msiexec.out" | grep . | tail -n 1)); once more"
        status=0
        "${wine[@]}" msiexec "$@" >"$tmp/msiexec.out" 2>&1 || status=$?
    fi
    tr -d '\r' <"$tmp/msiexec.out"
    return "$status"
}
window_up() { xwininfo -root -tree 2>/dev/null | grep -qF "\"$caption"; }

[ -n "$msi" ] || { echo "FAIL no MSI in $build/packages (build the target windows_packages)"; exit 1; }
echo "== MSI: $(basename "$msi") (project version $version)"
"${wine[@]}" --boot

check "msiexec /i $(basename "$msi") /qn" run_msiexec /i "$msi" /qn
x86_64-w64-mingw32-strip --preserve-dates -o "$tmp/quorvela.exe" "$program"
check "Program Files\\Quorvela\\quorvela.exe is the built program, stripped" \
    cmp -s "$installed/quorvela.exe" "$tmp/quorvela.exe"
check "one Start-menu shortcut Quorvela" test "$(shortcuts | wc -l)" -eq 1
key=$(arp_entry)
check "an Add/Remove Programs entry Quorvela" test -n "$key"
if [ -n "$key" ]; then
    values=$("${wine[@]}" reg query "$key" 2>/dev/null | tr -d '\r')
    shown=$(sed -n 's/^ *DisplayVersion *REG_SZ *//p' <<<"$values")
    check "its version is 1.00.0001 ($shown)" test "$shown" = "1.00.0001"
    product=${key##*\\}
    # Windows Installer keeps the product's icon (ARPPRODUCTICON) by its code.
    icon=$("${wine[@]}" reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null |
        tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p' | grep -iF "$product" | head -n 1)
    icon_file="$WINEPREFIX/drive_c/${icon#C:\\}"
    icon_file=${icon_file//\\//}
    check "its icon is the program's icon ($icon)" cmp -s "$icon_file" packaging/windows/quorvela.ico
fi

# The installed program shows its window; closing it ends the process.
"${wine[@]}" 'C:\Program Files\Quorvela\quorvela.exe' &
started=$!
for _ in $(seq 60); do window_up && break; sleep 0.5; done
check "the installed program shows its window" window_up
"${wine[@]}" taskkill /im quorvela.exe >/dev/null 2>&1
for _ in $(seq 20); do kill -0 "$started" 2>/dev/null || break; sleep 0.5; done
if kill -0 "$started" 2>/dev/null; then
    fail "the program did not end when its window was closed"
    "${wine[@]}" taskkill /f /im quorvela.exe >/dev/null 2>&1
else
    pass "closing the window ends the program"
fi
wait "$started" 2>/dev/null

check "msiexec /x $(basename "$msi") /qn" run_msiexec /x "$msi" /qn
check "Program Files\\Quorvela is gone" test ! -e "$installed"
check "the shortcut is gone" test -z "$(shortcuts)"
check "the Add/Remove Programs entry is gone" test -z "$(arp_entry)"
check "no registry key Software\\Quorvela is left" \
    bash -c '! "$0" reg query "HKLM\\Software\\Quorvela" >/dev/null 2>&1' "${wine[@]}"

echo "MSI check: $passes passed, $failures failed"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# usage: packaging/windows/check-msi.sh BUILD_DIR   (default build/windows)
#
# The life of BUILD_DIR's MSI (x64 or x86) in a Wine prefix, as an
# administrator would live it (msiexec /qn):
#   - installed: the program, the Start-menu shortcut, the Add/Remove
#     Programs entry with version and icon; the installed program shows its
#     window and ends when it is closed;
#   - upgraded in place by a package of the next version, made from the same
#     program here: one entry, the newer version, the older product gone;
#   - not downgraded: the earlier package refuses to install over it;
#   - uninstalled: nothing left.
# The prefix is WINEPREFIX (default BUILD_DIR/wine), of WINEARCH (default:
# win32 for the x86 package, win64 for x64); the x86 package goes to
# Program Files (x86) in a 64-bit prefix, Program Files in a 32-bit one.
# Prints one line per check and exits non-zero when any fails.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=$(realpath -m "${1:-build/windows}")
if [ -z "${DISPLAY:-}" ]; then
    exec scripts/with-display.sh bash "$0" "$build"
fi

header=$build/generated/quorvela/version.h
identity() { sed -n "s/^inline constexpr const char\* $1 = \"\(.*\)\";\$/\1/p" "$header"; }
version=$(identity Version)
description=$(identity Description)
msi=$(ls "$build/packages/quorvela-$version-"x??.msi 2>/dev/null | head -n 1)
[ -n "$msi" ] || { echo "FAIL no MSI of version $version in $build/packages (build the tree first)"; exit 1; }
arch=${msi%.msi}
arch=${arch##*-}
[ "$arch" = x86 ] && default_wine=win32 || default_wine=win64
export WINEARCH=${WINEARCH:-$default_wine}
export WINEPREFIX=${WINEPREFIX:-$build/wine}
program_files='Program Files'
[ "$arch" = x86 ] && [ "$WINEARCH" = win64 ] && program_files='Program Files (x86)'
installed="$WINEPREFIX/drive_c/$program_files/Quorvela"
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$build/CMakeCache.txt")
wine=("$root/scripts/wine-run.sh")
caption="Quorvela -  07/2024  -  "

. packaging/checks.sh
# Here a failing command's own words help: they are shown.
check() { local label=$1; shift; if "$@"; then pass "$label"; else fail "$label"; fi; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The Add/Remove Programs entries named Quorvela, one product code a line. A 64-bit
# prefix has two registry views, and Wine writes the entry of an x86
# package into the 32-bit one (WOW6432Node): both are read.
views=(/reg:32)
[ "$WINEARCH" = win64 ] && views+=(/reg:64)
arp_entries() {
    local view
    for view in "${views[@]}"; do
        "${wine[@]}" reg query "$uninstall_key" /s "$view" 2>/dev/null | tr -d '\r' |
            awk '/^HKEY/ {key=$0} /DisplayName +REG_SZ +Quorvela$/ {sub(/.*\\/, "", key); print key}'
    done
}
# arp_value PRODUCT NAME: a value of the product's entry, from either view.
arp_value() {
    local view
    for view in "${views[@]}"; do
        "${wine[@]}" reg query "$uninstall_key\\$1" /v "$2" "$view" 2>/dev/null | tr -d '\r' |
            sed -n "s/^ *$2 *REG_SZ *//p"
    done | head -n 1
}
# The products Windows Installer has registered, one code a line.
products() { "${wine[@]}" reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null |
    tr -d '\r' | awk '/^HKEY/ {key=$0} /ProductName +REG_SZ +Quorvela$/ {print key}'; }
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
# The shortcut's key path, in the registry view of the package's
# architecture (WOW6432Node for x86 on 64-bit Windows).
[ "$arch" = x86 ] && view=/reg:32 || view=/reg:64
own_key() { "${wine[@]}" reg query 'HKLM\Software\Quorvela' "$view" >/dev/null 2>&1; }
window_up() { xwininfo -root -tree 2>/dev/null | grep -qF "\"$caption"; }
# The program as the packages carry it.
"$strip" --preserve-dates -o "$tmp/quorvela.exe" "$build/app/quorvela.exe"
is_installed_program() { cmp -s "$installed/quorvela.exe" "$tmp/quorvela.exe"; }
# Exactly one entry and one registered product, of version $1; sets $entry
# to the product's code.
one_product_of_version() {
    local entries
    entries=$(arp_entries)
    entry=$entries
    [ "$(grep -c . <<<"$entries")" -eq 1 ] && [ "$(products | grep -c .)" -eq 1 ] &&
        [ "$(arp_value "$entries" DisplayVersion)" = "$1" ]
}

# The next version, the revision one higher: 1.00.0001 becomes 1.00.0002.
IFS=. read -r major minor revision <<<"$version"
next=$major.$minor.$(printf "%0${#revision}d" $((10#$revision + 1)))
if ! bash packaging/windows/make-packages.sh "$build/app/quorvela.exe" "$tmp/next" "$next" \
    "$description" "$arch" "$strip" >/dev/null; then
    echo "FAIL could not make the package of version $next"
    exit 1
fi
newer=$tmp/next/quorvela-$next-$arch.msi

echo "== $(basename "$msi") in a $WINEARCH prefix, $WINEPREFIX"
"${wine[@]}" --boot
# A run that failed half-way may have left a Quorvela installed.
for product in $(arp_entries); do
    echo "note removing $product, left installed by an earlier run"
    run_msiexec /x "$product" /qn >/dev/null
done

check "msiexec /i $(basename "$msi") /qn" run_msiexec /i "$msi" /qn
check "$program_files\\Quorvela\\quorvela.exe is the built program, stripped" is_installed_program
check "one Start-menu shortcut Quorvela" test "$(shortcuts | wc -l)" -eq 1
check "its registry value Software\\Quorvela ($view)" own_key
check "one Add/Remove Programs entry Quorvela, version $version" one_product_of_version "$version"
older=$entry
if [ -n "$older" ]; then
    # Windows Installer keeps the product's icon (ARPPRODUCTICON) by its code.
    icon=$("${wine[@]}" reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null |
        tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p' | grep -iF "$older" | head -n 1)
    icon_file="$WINEPREFIX/drive_c/${icon#C:\\}"
    icon_file=${icon_file//\\//}
    check "its icon is the program's icon ($icon)" cmp -s "$icon_file" packaging/windows/quorvela.ico
fi

# The installed program shows its window; closing it ends the process.
"${wine[@]}" "C:\\$program_files\\Quorvela\\quorvela.exe" &
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

check "msiexec /i $(basename "$newer") /qn, over $version" run_msiexec /i "$newer" /qn
check "one Add/Remove Programs entry Quorvela, version $next" one_product_of_version "$next"
older_gone() { [ -n "$older" ] && [ -z "$(arp_value "$older" DisplayName)" ]; }
check "the product of $version is gone (${older:-no code})" older_gone
check "one Start-menu shortcut Quorvela" test "$(shortcuts | wc -l)" -eq 1
check "$program_files\\Quorvela holds quorvela.exe alone" test "$(ls "$installed" 2>/dev/null)" = quorvela.exe

refuses_older() { ! run_msiexec /i "$msi" /qn >/dev/null; }
check "msiexec /i $(basename "$msi") /qn refuses to go back to $version" refuses_older
check "version $next stays, alone" one_product_of_version "$next"

check "msiexec /x $(basename "$newer") /qn" run_msiexec /x "$newer" /qn
check "$program_files\\Quorvela is gone" test ! -e "$installed"
check "the shortcut is gone" test -z "$(shortcuts)"
check "no Add/Remove Programs entry is left" test -z "$(arp_entries)"
check "no product is left registered" test -z "$(products)"
no_own_key() { ! own_key; }
check "no registry key Software\\Quorvela is left" no_own_key

summary "MSI check"

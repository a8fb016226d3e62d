#!/usr/bin/env bash
# usage: scripts/packaging-checks.sh [BUILD_DIR]   (default build/ci)
#
# Checks what ships besides the code, on a configured and built tree:
#   - the pictures compiled into the program, and the Windows icon file;
#   - the Windows resource script, compiled with MinGW's windres and read back;
#   - the desktop entry and the AppStream metainfo, validated;
#   - the Debian package: built with CPack, installed with apt-get, the
#     installed program started under Xvfb until its window shows, then the
#     package removed again (as root only: elsewhere these steps are skipped).
# Prints one line per check and exits non-zero when any fails.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

build=$(realpath -m "${1:-build/ci}")
app_id=org.example.Quorvela
version=1.00.0001
pkg=packaging
check_resources=(python3 "$pkg/windows/check-resources.py")
# The resource script as CMake filled it in from project().
rc=$build/packaging/windows/quorvela.rc

failures=0
section() { echo; echo "== packaging: $*"; }
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
# run LABEL COMMAND...: one check whose verdict is COMMAND's status; its
# output is shown indented.
run() {
    local label=$1 output status
    shift
    output=$("$@" 2>&1)
    status=$?
    [ -n "$output" ] && sed 's/^/     /' <<<"$output"
    if [ "$status" -eq 0 ]; then pass "$label"; else fail "$label (status $status)"; fi
    return "$status"
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

section "pictures"
run "icon 16 px" "${check_resources[@]}" png "$pkg/icons/quorvela-16.png" 16x16
run "icon 32 px" "${check_resources[@]}" png "$pkg/icons/quorvela-32.png" 32x32
run "icon 64 px" "${check_resources[@]}" png "$pkg/icons/quorvela-64.png" 64x64
run "stopwatch 55x64 px" "${check_resources[@]}" png "$pkg/images/stopwatch.png" 55x64
run "Windows icon file" "${check_resources[@]}" ico "$pkg/windows/quorvela.ico"

section "Windows resources"
windres=x86_64-w64-mingw32-windres
# windres preprocesses with the MinGW compiler when there is one; the script
# needs no Windows headers, so the host's preprocessor serves as well.
windres_cmd=("$windres")
command -v x86_64-w64-mingw32-gcc >/dev/null || windres_cmd+=(--preprocessor=cpp)
if ! command -v "$windres" >/dev/null; then
    fail "$windres is missing (package binutils-mingw-w64-x86-64)"
elif [ ! -f "$rc" ]; then
    fail "$rc is missing: configure $build first"
else
    run "quorvela.rc compiles to an object file" \
        "${windres_cmd[@]}" -O coff "$rc" -o "$tmp/quorvela.o"
    if run "quorvela.rc compiles to a .res file" \
        "${windres_cmd[@]}" -O res "$rc" -o "$tmp/quorvela.res"; then
        run "compiled version record and icon" "${check_resources[@]}" res "$tmp/quorvela.res"
    fi

    # The read-back must notice a wrong record, or it proves nothing.
    mutations=(
        's/"FileVersion", *"1.00.0001"/"FileVersion", "1.00.0002"/'
        's/^FILEVERSION .*/FILEVERSION 1,0,1,0/'
        's/0x0410, 1200/0x0409, 1200/'
        's/"041004B0"/"041004E4"/'
        's/^LANGUAGE .*/LANGUAGE 0x09, 0x01/'
        's/"Conversione di valori di portata"/"Conversione"/'
    )
    for edit in "${mutations[@]}"; do
        sed "$edit" "$rc" >"$tmp/mutant.rc"
        if cmp -s "$tmp/mutant.rc" "$rc"; then
            fail "the edit '$edit' no longer changes quorvela.rc; update this check"
        elif ! "${windres_cmd[@]}" -O res "$tmp/mutant.rc" -o "$tmp/mutant.res" 2>/dev/null; then
            fail "quorvela.rc edited with '$edit' does not compile"
        elif "${check_resources[@]}" res "$tmp/mutant.res" >/dev/null; then
            fail "the read-back accepts quorvela.rc edited with '$edit'"
        else
            pass "the read-back rejects quorvela.rc edited with '$edit'"
        fi
    done
    if command -v icotool >/dev/null; then
        icotool --create --output="$tmp/two.ico" "$pkg/icons/quorvela-16.png" "$pkg/icons/quorvela-32.png"
        if "${check_resources[@]}" ico "$tmp/two.ico" >/dev/null; then
            fail "the icon check accepts an icon without its 64 px image"
        else
            pass "the icon check rejects an icon without its 64 px image"
        fi
    fi
fi

section "desktop entry and metainfo"
desktop=$pkg/linux/$app_id.desktop
metainfo=$pkg/linux/$app_id.metainfo.xml
validate_desktop() {
    # Hints are advice; warnings and errors are faults.
    local output
    output=$(desktop-file-validate "$1" 2>&1)
    local status=$?
    echo "$output"
    [ "$status" -eq 0 ] && ! grep -Eq ': (warning|error):' <<<"$output"
}
run "desktop-file-validate $desktop" validate_desktop "$desktop"
run "appstreamcli validate --no-net $metainfo" appstreamcli validate --no-net "$metainfo"
run "metainfo records release $version" grep -q "<release version=\"$version\"" "$metainfo"
run "desktop entry names the icon $app_id" grep -qx "Icon=$app_id" "$desktop"
run "Windows version record says $version" grep -q "\"FileVersion\", *\"$version\"" "$rc"

section "Debian package"
program=$build/app/quorvela
deb=
if [ ! -f "$build/CPackConfig.cmake" ]; then
    fail "$build is not a configured build tree (no CPackConfig.cmake)"
elif [ ! -x "$program" ]; then
    fail "$program is not built"
else
    rm -rf "$build/packages"
    if run "cpack -G DEB" cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/packages"; then
        deb=$(ls "$build"/packages/quorvela_*.deb 2>/dev/null | head -n 1)
    fi
fi
if [ -n "$deb" ]; then
    pass "package $deb"
    depends=$(dpkg-deb --field "$deb" Depends)
    echo "     Depends: $depends"
    run "package version $version" test "$(dpkg-deb --field "$deb" Version)" = "$version"
    run "package depends on Calibri's metric twin" grep -q 'fonts-crosextra-carlito' <<<"$depends"
    # Qt's libraries come only from dpkg-shlibdeps reading the binary.
    run "package depends on the libraries of the binary" grep -q 'libqt6widgets6' <<<"$depends"
    contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
    for file in /usr/bin/quorvela \
            /usr/share/applications/$app_id.desktop \
            /usr/share/metainfo/$app_id.metainfo.xml \
            /usr/share/icons/hicolor/16x16/apps/$app_id.png \
            /usr/share/icons/hicolor/32x32/apps/$app_id.png \
            /usr/share/icons/hicolor/64x64/apps/$app_id.png \
            /usr/share/icons/hicolor/scalable/apps/$app_id.svg; do
        run "package holds $file" grep -qx "$file" <<<"$contents"
    done
fi

section "installed package"
if [ -z "$deb" ]; then
    fail "no package to install"
elif [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "SKIP installing the package: needs root and apt-get"
else
    if dpkg-query -W -f='${Status}' quorvela 2>/dev/null | grep -q 'install ok installed'; then
        echo "note: a package quorvela was installed already; this check replaces it and removes it"
    fi
    export DEBIAN_FRONTEND=noninteractive
    remove_package() { apt-get remove -y quorvela >/dev/null 2>&1; }
    trap 'remove_package; rm -rf "$tmp"' EXIT
    if run "apt-get install ./$(basename "$deb")" apt-get install -y --reinstall "$deb"; then
        run "installed desktop entry validates" validate_desktop /usr/share/applications/$app_id.desktop
        run "installed metainfo validates" \
            appstreamcli validate --no-net /usr/share/metainfo/$app_id.metainfo.xml
        run "the desktop entry's command is on PATH" \
            test "$(command -v "$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' /usr/share/applications/$app_id.desktop)")" = /usr/bin/quorvela
        # Runs on the display, beyond xvfb-run's sh, which drops exported functions.
        cat >"$tmp/window-checks.sh" <<'CHECKS'
echo "window $WINDOW_ID: $(xprop -id "$WINDOW_ID" WM_NAME)"
xwininfo -id "$WINDOW_ID" | sed -n 's/^ *\(Width\|Height\): /\1 /p'
# The icon compiled in, at all three sizes.
icons=$(xprop -id "$WINDOW_ID" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u)
echo "$icons"
for size in 16 32 64; do
    grep -q "Icon ($size x $size)" <<<"$icons" || { echo "no ${size}x${size} window icon"; exit 1; }
done
CHECKS
        run "installed /usr/bin/quorvela shows its window under Xvfb" \
            "$pkg/with-window.sh" /usr/bin/quorvela -- bash "$tmp/window-checks.sh"
    fi
    if run "apt-get remove quorvela" apt-get remove -y quorvela; then
        run "/usr/bin/quorvela is gone" test ! -e /usr/bin/quorvela
    fi
    trap 'rm -rf "$tmp"' EXIT
fi

echo
if [ "$failures" -eq 0 ]; then
    echo "packaging checks: all passed"
    exit 0
fi
echo "packaging checks: $failures failed"
exit 1

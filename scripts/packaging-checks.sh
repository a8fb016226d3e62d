#!/usr/bin/env bash
# usage: scripts/packaging-checks.sh [BUILD_DIR]   (default build/ci)
#
# Checks what ships besides the code, on a configured and built tree:
#   - the pictures compiled into the program, and the Windows icon file
#     (ImageMagick's identify, icotool);
#   - the Windows resource script, compiled with MinGW's windres and read back
#     with windres as a script again;
#   - the desktop entry, the AppStream metainfo and the Debian copyright file
#     generated in the build tree, validated;
#   - the Debian package: built with CPack and checked by lintian, with its
#     changelog and manual pages (packaging/linux/check-deb.sh), installed
#     with apt-get, the installed program started under Xvfb until its window
#     shows, then the package removed again (as root only: elsewhere these
#     steps are skipped).
# The name, version, description and id expected are those the build tree was
# configured with (its generated quorvela/version.h).
# Prints one line per check and exits non-zero when any fails.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

build=$(realpath -m "${1:-build/ci}")
pkg=packaging
# The Windows resource script (version record, icon, manifest), as CMake
# made it from the identity.
rc=$build/packaging/windows/quorvela.rc

header=$build/generated/quorvela/version.h
if [ ! -f "$header" ]; then
    echo "packaging checks: $build is not a configured build tree (no $header)" >&2
    exit 1
fi
identity() { sed -n "s/^inline constexpr const char\* $1 = \"\(.*\)\";\$/\1/p" "$header"; }
name=$(identity ApplicationName)
version=$(identity Version)
description=$(identity Description)
app_id=$(identity ApplicationId)
echo "$name $version, $app_id: \"$description\""

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
# same WANT COMMAND...: COMMAND prints WANT exactly; a difference is shown.
same() {
    local want=$1 got
    shift
    got=$("$@") || return 1
    diff <(echo "$want") <(echo "$got") >/dev/null && return 0
    diff -u --label want --label got <(echo "$want") <(echo "$got") | tail -n +3
    return 1
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

section "pictures"
# Size, and 32 bits a pixel: PNG colour type 6 (RGBA) at 8 bits a channel.
# %[opaque] reads every pixel, so a damaged file fails here too.
png_facts() {
    identify -regard-warnings \
        -format '%wx%h colour type %[png:IHDR.color-type-orig], depth %[png:IHDR.bit-depth-orig] %[opaque]\n' \
        "$1" | sed 's/ \(true\|false\)$//'
}
for size in 16 32 64; do
    run "icon $size px" same "${size}x$size colour type 6, depth 8" png_facts "$pkg/icons/quorvela-$size.png"
done
run "stopwatch 55x64 px" same "55x64 colour type 6, depth 8" png_facts "$pkg/images/stopwatch.png"

icon_want="16x16 32 bpp
32x32 32 bpp
64x64 32 bpp"
# The images of an icon file, as icotool lists them.
ico_facts() {
    icotool -l "$1" |
        sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\) --bit-depth=\([0-9]*\).*/\1x\2 \3 bpp/p' | sort -n
}
# Each image has transparent and opaque pixels: a 32-bit image whose alpha is
# all zero shows nothing, one with no transparency has lost its outline.
ico_alpha() {
    identify -regard-warnings -format '%wx%h alpha %[fx:minima.a] to %[fx:maxima.a]\n' "$1" | sort -n
}
run "Windows icon file: 16, 32 and 64 px at 32 bpp" same "$icon_want" ico_facts "$pkg/windows/quorvela.ico"
run "Windows icon file: transparent and opaque pixels" \
    same "$(sed 's/ 32 bpp$/ alpha 0 to 1/' <<<"$icon_want")" ico_alpha "$pkg/windows/quorvela.ico"
if icotool --create --output="$tmp/two.ico" "$pkg/icons/quorvela-16.png" "$pkg/icons/quorvela-32.png"; then
    if same "$icon_want" ico_facts "$tmp/two.ico" >/dev/null; then
        fail "the icon check accepts an icon without its 64 px image"
    else
        pass "the icon check rejects an icon without its 64 px image"
    fi
fi

section "Windows resources"
windres=x86_64-w64-mingw32-windres
# windres preprocesses with the MinGW compiler when there is one; the script
# needs no Windows headers, so the host's preprocessor serves as well.
windres_cmd=("$windres")
command -v x86_64-w64-mingw32-gcc >/dev/null || windres_cmd+=(--preprocessor=cpp)

# What Windows reads from a compiled .res, decompiled to a script by windres:
# resource languages (16, 1 is Italian, Italy: 0x0410), the fixed and the
# string version record, the translation, and the icon group's images.
res_facts() {
    local script
    script=$("$windres" -J res -O rc "$1") || return 1
    echo "languages: $(sed -n 's/^LANGUAGE //p' <<<"$script" | sort -u | paste -sd '/')"
    sed -n 's/^ *\(FILEVERSION\|PRODUCTVERSION\|FILETYPE\) /\1 /p' <<<"$script"
    echo "string tables: $(sed -n '/BLOCK "StringFileInfo"/,/BLOCK "VarFileInfo"/s/^ *BLOCK "\([0-9A-Fa-f]*\)"$/\1/p' <<<"$script" | paste -sd ' ')"
    sed -n 's/^ *VALUE "\(FileDescription\|FileVersion\|ProductName\|ProductVersion\)", "\(.*\)"$/\1: \2/p' <<<"$script" | sort
    sed -n 's/^ *VALUE "Translation", /Translation: /p' <<<"$script"
    # Icon group entries: "width height colours pad" as octal escapes, planes,
    # bits a pixel, ...
    sed -n 's/^ *"\\\([0-7]\{3\}\)\\\([0-7]\{3\}\)\\[0-7]\{3\}\\[0-7]\{3\}", *1, *\([0-9]*\),.*/\1 \2 \3/p' <<<"$script" |
        while read -r width height bits; do
            printf '%dx%d %d bpp\n' "0$width" "0$height" "$bits"
        done | sort -n
}
IFS=. read -r major minor revision <<<"$version"
fixed="$((10#$major)), $((10#$minor)), 0, $((10#$revision))"
res_want="languages: 16, 1
FILEVERSION $fixed
PRODUCTVERSION $fixed
FILETYPE 0x1
string tables: 041004B0
FileDescription: $description
FileVersion: $version
ProductName: $name
ProductVersion: $version
Translation: 0x410, 1200
$icon_want"

if ! command -v "$windres" >/dev/null; then
    fail "$windres is missing (package binutils-mingw-w64-x86-64)"
else
    run "$rc compiles to an object file" \
        "${windres_cmd[@]}" -O coff "$rc" -o "$tmp/quorvela.o"
    if run "$rc compiles to a .res file" \
        "${windres_cmd[@]}" -O res "$rc" -o "$tmp/quorvela.res"; then
        run "compiled version record and icon, read back" same "$res_want" res_facts "$tmp/quorvela.res"
    fi

    # The read-back must notice a wrong record, or it proves nothing.
    mutations=(
        "s/\"FileVersion\", *\"$version\"/\"FileVersion\", \"9.99.9999\"/"
        's/^FILEVERSION .*/FILEVERSION 9,9,9,9/'
        's/0x0410, 1200/0x0409, 1200/'
        's/"041004B0"/"041004E4"/'
        's/^LANGUAGE .*/LANGUAGE 0x09, 0x01/'
        "s/\"$description\"/\"Conversione\"/"
        "s|\"[^\"]*/quorvela.ico\"|\"$tmp/two.ico\"|"
    )
    for edit in "${mutations[@]}"; do
        sed "$edit" "$rc" >"$tmp/mutant.rc"
        if cmp -s "$tmp/mutant.rc" "$rc"; then
            fail "the edit '$edit' no longer changes $rc; update this check"
        elif ! "${windres_cmd[@]}" -O res "$tmp/mutant.rc" -o "$tmp/mutant.res" 2>/dev/null; then
            fail "$rc edited with '$edit' does not compile"
        elif same "$res_want" res_facts "$tmp/mutant.res" >/dev/null; then
            fail "the read-back accepts $rc edited with '$edit'"
        else
            pass "the read-back rejects $rc edited with '$edit'"
        fi
    done
fi

section "desktop entry, metainfo and copyright"
generated=$build/packaging/linux
desktop=$generated/$app_id.desktop
metainfo=$generated/$app_id.metainfo.xml
copyright=$generated/copyright
validate_desktop() {
    # Hints are advice; warnings and errors are faults.
    local output
    output=$(desktop-file-validate "$1" 2>&1)
    local status=$?
    echo "$output"
    [ "$status" -eq 0 ] && ! grep -Eq ': (warning|error):' <<<"$output"
}
# A machine-readable Debian copyright file: the format line, a Files: *
# paragraph naming the holder and the licence, the licence's text, and only
# fields or indented continuation lines.
validate_copyright() {
    local file=$1 status=0
    head -n 1 "$file" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        { echo "first line is not the Format: field"; status=1; }
    grep -qx 'Files: \*' "$file" || { echo "no Files: * paragraph"; status=1; }
    grep -qx 'Copyright: 20[0-9][0-9] .*' "$file" || { echo "no Copyright: year and holder"; status=1; }
    [ "$(grep -cx 'License: MIT' "$file")" -eq 2 ] ||
        { echo "want License: MIT in the Files paragraph and as a licence paragraph"; status=1; }
    grep -q '^ Permission is hereby granted' "$file" || { echo "no licence text"; status=1; }
    if grep -nv '^$\|^[A-Z][A-Za-z-]*: \|^ ' "$file"; then
        echo "lines above are neither fields nor continuation lines"
        status=1
    fi
    return "$status"
}
run "desktop-file-validate $desktop" validate_desktop "$desktop"
run "appstreamcli validate --no-net $metainfo" appstreamcli validate --no-net "$metainfo"
run "metainfo records release $version" grep -q "<release version=\"$version\"" "$metainfo"
run "metainfo names the licence MIT" grep -q "<project_license>MIT</project_license>" "$metainfo"
run "desktop entry names the icon $app_id" grep -qx "Icon=$app_id" "$desktop"
# Checked against the real window in the installed package below.
run "desktop entry names the window class $name" grep -qx "StartupWMClass=$name" "$desktop"
run "Debian copyright file is machine-readable" validate_copyright "$copyright"

section "Debian package"
program=$build/app/quorvela
deb=
if [ ! -f "$build/CPackConfig.cmake" ]; then
    fail "$build is not a configured build tree (no CPackConfig.cmake)"
elif [ ! -x "$program" ]; then
    fail "$program is not built"
else
    # Fails on any error or warning of lintian; the package is still checked
    # further when it was made.
    run "cpack -G DEB, lintian" bash packaging/linux/check-deb.sh "$build"
    deb=$(ls "$build"/packages/quorvela_*.deb 2>/dev/null | head -n 1)
fi
if [ -n "$deb" ]; then
    pass "package $deb"
    depends=$(dpkg-deb --field "$deb" Depends)
    echo "     Depends: $depends"
    run "package version $version" test "$(dpkg-deb --field "$deb" Version)" = "$version"
    run "package depends on Calibri's metric twin" grep -q 'fonts-crosextra-carlito' <<<"$depends"
    run "package depends on Qt's Italian translations" grep -q 'qt6-translations-l10n' <<<"$depends"
    run "package recommends Qt's Wayland platform" \
        grep -q 'qt6-wayland' <<<"$(dpkg-deb --field "$deb" Recommends)"
    # Qt's libraries come only from dpkg-shlibdeps reading the binary.
    run "package depends on the libraries of the binary" grep -q 'libqt6widgets6' <<<"$depends"
    contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
    for file in /usr/bin/quorvela \
            /usr/share/applications/$app_id.desktop \
            /usr/share/metainfo/$app_id.metainfo.xml \
            /usr/share/doc/quorvela/copyright \
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
        run "installed copyright file is machine-readable" validate_copyright /usr/share/doc/quorvela/copyright
        run "the desktop entry's command is on PATH" \
            test "$(command -v "$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' /usr/share/applications/$app_id.desktop)")" = /usr/bin/quorvela
        run "Qt's Italian catalogue is installed with it" test -f /usr/share/qt6/translations/qtbase_it.qm
        # The window must carry the class the desktop entry names, or the
        # running window does not group with its launcher.
        WM_CLASS_WANT=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/$app_id.desktop)
        export WM_CLASS_WANT
        # Runs on the window's display in a shell of its own, which exported
        # functions do not reach.
        cat >"$tmp/window-checks.sh" <<'CHECKS'
echo "window $WINDOW_ID: $(xprop -id "$WINDOW_ID" WM_NAME)"
xwininfo -id "$WINDOW_ID" | sed -n 's/^ *\(Width\|Height\): /\1 /p'
# The icon compiled in, at all three sizes.
icons=$(xprop -id "$WINDOW_ID" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u)
echo "$icons"
for size in 16 32 64; do
    grep -q "Icon ($size x $size)" <<<"$icons" || { echo "no ${size}x${size} window icon"; exit 1; }
done
# WM_CLASS is "instance", "class"; StartupWMClass names the class.
wm_class=$(xprop -id "$WINDOW_ID" WM_CLASS)
echo "$wm_class"
[ -n "$WM_CLASS_WANT" ] || { echo "the desktop entry has no StartupWMClass"; exit 1; }
grep -q ", \"$WM_CLASS_WANT\"\$" <<<"$wm_class" ||
    { echo "the window's class is not StartupWMClass=$WM_CLASS_WANT"; exit 1; }
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

#!/usr/bin/env bash
# usage: packaging/windows/check-exe.sh BUILD_DIR   (default build/windows)
#
# Reads back what the built quorvela.exe carries, from the .exe itself:
# the version record (windres decompiles it), the application icon (icoutils
# extracts it), the manifest (its architecture that of the program), and the
# DLLs it needs (Windows' own only: the compiler's runtime is linked in).
# The MinGW tools are those of the build tree's architecture. Prints one line
# per check; non-zero exit when any fails.
set -uo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath -m "${1:-build/windows}")
exe=$build/app/quorvela.exe
header=$build/generated/quorvela/version.h
identity() { sed -n "s/^inline constexpr const char\* $1 = \"\(.*\)\";\$/\1/p" "$header"; }
version=$(identity Version)
description=$(identity Description)
name=$(identity ApplicationName)
IFS=. read -r major minor revision <<<"$version"
fixed="$((10#$major)), $((10#$minor)), 0, $((10#$revision))"
# x86_64-w64-mingw32- or i686-w64-mingw32-, from the build's objdump.
objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$build/CMakeCache.txt")
tools=${objdump%objdump}

. packaging/checks.sh

echo "== $exe: $(stat -c %s "$exe") bytes"
script=$("${tools}windres" -i "$exe" -O rc 2>/dev/null)
version_block=$(sed -n '/^1 VERSIONINFO/,/^END$/p' <<<"$script")
check "fixed file version $fixed" grep -q "FILEVERSION $fixed" <<<"$version_block"
check "fixed product version $fixed" grep -q "PRODUCTVERSION $fixed" <<<"$version_block"
check "one string table, Italian in UTF-16 (041004B0)" \
    test "$(grep -o 'BLOCK "[0-9A-F]\{8\}"' <<<"$version_block")" = 'BLOCK "041004B0"'
check "FileVersion $version" grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$version_block"
check "ProductVersion $version" grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$version_block"
check "FileDescription $description" grep -q "VALUE \"FileDescription\", \"$description\"" <<<"$version_block"
check "ProductName $name" grep -q "VALUE \"ProductName\", \"$name\"" <<<"$version_block"
check "Translation Italian, code page 1200" grep -q 'VALUE "Translation", 0x410, 1200' <<<"$version_block"
check "every resource Italian" test "$(sed -n 's/^LANGUAGE //p' <<<"$script" | sort -u)" = "16, 1"

wrestool --extract --type=group_icon --name=1 "$exe" >"$tmp/icon.ico"
icons=$(icotool --list "$tmp/icon.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\) --bit-depth=\([0-9]*\).*/\1x\2 \3/p' | sort -n | paste -sd ' ')
check "application icon: 16, 32 and 64 px at 32 bits ($icons)" test "$icons" = "16x16 32 32x32 32 64x64 32"
check "the application icon is the first icon group (Explorer's)" \
    test "$(wrestool --list --type=group_icon "$exe" | head -n 1 | grep -o -- '--name=[^ ]*')" = "--name=1"

wrestool --extract --raw --type=24 --name=1 "$exe" >"$tmp/manifest.xml"
manifest=$(tr -s ' \n' ' ' <"$tmp/manifest.xml")
# The program's own identity names its architecture, as Windows checks.
machine=$("$objdump" -f "$exe" | sed -n 's/^architecture: \([^,]*\).*/\1/p')
case $machine in
    i386) want_arch=x86 ;;
    i386:x86-64) want_arch=amd64 ;;
    *) want_arch="(no architecture for $machine)" ;;
esac
check "manifest: processorArchitecture $want_arch, the program's ($machine)" \
    grep -q "name=\"Quorvela\" processorArchitecture=\"$want_arch\"" <<<"$manifest"
check "manifest: common controls 6" grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' <<<"$manifest"
check "manifest: per-monitor DPI awareness v2" grep -q 'PerMonitorV2' <<<"$manifest"
# Exactly the systems the program is tested for: Windows 7, 8, 8.1, and 10
# (whose id Windows 11 shares); Vista's id would claim one more.
supported=$(grep -o 'supportedOS Id="{[^}]*}"' <<<"$manifest" | sed 's/.*{\(.*\)}"/\1/' | paste -sd ' ')
check "manifest: supported OS exactly Windows 7, 8, 8.1 and 10 (11 shares its id)" test "$supported" = \
    "35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"

imports=$("$objdump" -p "$exe" | sed -n 's/^\tDLL Name: //p' | sort | paste -sd ' ')
echo "     imports: $imports"
check "no DLL of the compiler's runtime (libstdc++, libgcc, libwinpthread)" \
    bash -c '! grep -qi "lib" <<<"$0"' "$imports"

summary "quorvela.exe read back"

#!/usr/bin/env bash
# usage: make-packages.sh PROGRAM.exe OUT_DIR VERSION DESCRIPTION ARCH STRIP
#
# Makes what a Windows user downloads, in OUT_DIR, for ARCH x64 or x86:
#   quorvela-VERSION-win64.zip / -win32.zip   the program and an Italian readme
#   quorvela-VERSION-x64.msi / -x86.msi       per-machine installer (wixl, msitools)
# STRIP is the MinGW strip of the program's architecture. CMake calls it for
# the target windows_packages; the MSI check calls it again for a package of
# a later version.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 6 ] || { echo "usage: $0 PROGRAM.exe OUT_DIR VERSION DESCRIPTION ARCH STRIP" >&2; exit 2; }
program=$(realpath "$1")
out=$(realpath -m "$2")
version=$3
description=$4
arch=$5
strip=$6
case $arch in
    x64) bits=64 ;;
    x86) bits=32 ;;
    *) echo "make-packages: ARCH is x64 or x86, not $arch" >&2; exit 2 ;;
esac

stage=$out/stage-$arch
rm -rf "$stage"
mkdir -p "$stage/Quorvela"
# What ships carries no debugging information.
# --preserve-dates keeps the link time in the PE header: the same program
# strips to the same bytes.
"$strip" --preserve-dates -o "$stage/Quorvela/quorvela.exe" "$program"
# Notepad of Windows 7 wants CRLF line ends.
sed -e "s/@VERSION@/$version/g" -e "s/@BITS@/$bits/g" -e "s/@ARCH@/$arch/g" -e 's/$/\r/' \
    "$here/LEGGIMI.txt" \
    >"$stage/Quorvela/LEGGIMI.txt"

zip=$out/quorvela-$version-win$bits.zip
rm -f "$zip"
(cd "$stage" && zip -q -X -r "$zip" Quorvela)
echo "made $zip"

msi=$out/quorvela-$version-$arch.msi
cp "$here/quorvela.ico" "$stage/Quorvela/"
(cd "$stage/Quorvela" &&
    wixl -a "$arch" -D "Arch=$arch" -D "Version=$version" -D "Description=$description" \
        -o "$msi" "$here/quorvela.wxs")
echo "made $msi"
rm -rf "$stage"

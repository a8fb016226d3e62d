#!/usr/bin/env bash
# usage: make-packages.sh PROGRAM.exe OUT_DIR VERSION DESCRIPTION
#
# Makes what a Windows user downloads, in OUT_DIR:
#   quorvela-VERSION-win64.zip   the program and an Italian readme
#   quorvela-VERSION-x64.msi     per-machine installer (wixl, msitools)
# CMake calls it for the target windows_packages.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 4 ] || { echo "usage: $0 PROGRAM.exe OUT_DIR VERSION DESCRIPTION" >&2; exit 2; }
program=$(realpath "$1")
out=$(realpath -m "$2")
version=$3
description=$4

stage=$out/stage
rm -rf "$stage"
mkdir -p "$stage/Quorvela"
# What ships carries no debugging information.
# --preserve-dates keeps the link time in the PE header: the same program
# strips to the same bytes.
x86_64-w64-mingw32-strip --preserve-dates -o "$stage/Quorvela/quorvela.exe" "$program"
# Notepad of Windows 7 wants CRLF line ends.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/LEGGIMI.txt" >"$stage/Quorvela/LEGGIMI.txt"

zip=$out/quorvela-$version-win64.zip
rm -f "$zip"
(cd "$stage" && zip -q -X -r "$zip" Quorvela)
echo "made $zip"

msi=$out/quorvela-$version-x64.msi
cp "$here/quorvela.ico" "$stage/Quorvela/"
(cd "$stage/Quorvela" &&
    wixl -a x64 -D "Version=$version" -D "Description=$description" -o "$msi" \
        "$here/quorvela.wxs")
echo "made $msi"
rm -rf "$stage"

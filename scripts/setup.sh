#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Quick when everything is already present.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config file
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins
    fonts-crosextra-carlito fontconfig qt6-translations-l10n
    xvfb xauth x11-utils libxtst-dev
    openbox libx11-dev libxcb1-dev
    clang libclang-rt-14-dev clang-format-14 clang-tidy-14
    libbenchmark-dev valgrind
    desktop-file-utils appstream dpkg-dev
    binutils-mingw-w64-x86-64 icoutils python3 imagemagick
    locales
    # GoogleTest's sources, built by each build with its own compiler
    googletest
    # The Windows program: cross-compiler, Wine on Xvfb, MSI and zip
    g++-mingw-w64-x86-64-posix wine wine64 wixl msitools zip unzip
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages: ${missing[*]}; run as root or install them first" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A locale whose decimal separator is the comma: the tests check that reading
# numbers does not depend on the process's locale.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
    if [ "$(id -u)" -eq 0 ]; then
        localedef -i it_IT -f UTF-8 it_IT.UTF-8 || echo "setup: could not generate it_IT.UTF-8" >&2
    fi
fi

#!/usr/bin/env bash
# usage: packaging/linux/check-deb.sh BUILD_DIR   (default build/ci)
#
# Builds the Debian package of a built tree with CPack, in BUILD_DIR/packages,
# and checks it with Debian's own tool: lintian reports no error and no
# warning (its informational tags are shown, not failed). Then: the
# package's changelog has an entry for the package's version, and the manual
# page is there in English and in Italian. Prints one line per check;
# non-zero exit when any fails.
set -uo pipefail
build=$(realpath -m "${1:-build/ci}")
[ -f "$build/CPackConfig.cmake" ] || { echo "FAIL $build is not a configured build tree"; exit 1; }

. "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"

rm -rf "$build/packages"
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/packages" >"$tmp/cpack.log" 2>&1; then
    sed 's/^/     /' "$tmp/cpack.log"
    fail "cpack -G DEB"
    exit 1
fi
deb=$(ls "$build"/packages/quorvela_*.deb)
pass "cpack -G DEB: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# As root lintian says it would rather not be; that is all it says there.
if lintian --fail-on error,warning --display-info "$deb" >"$tmp/lintian.log" 2>&1; then
    pass "lintian: no error, no warning"
else
    fail "lintian: errors or warnings"
fi
grep -v 'running with root privileges' "$tmp/lintian.log" | sed 's/^/     /'

version=$(dpkg-deb --field "$deb" Version)
dpkg-deb -x "$deb" "$tmp/root"
changelog=$tmp/root/usr/share/doc/quorvela/changelog.gz
if [ -f "$changelog" ] && gunzip -c "$changelog" >"$tmp/changelog" &&
    [ "$(dpkg-parsechangelog -l "$tmp/changelog" -S Version)" = "$version" ]; then
    pass "the changelog's latest entry is version $version"
else
    fail "the changelog has no latest entry for version $version (packaging/linux/changelog)"
fi
for page in man1/quorvela.1.gz it/man1/quorvela.1.gz; do
    if [ -f "$tmp/root/usr/share/man/$page" ]; then
        pass "manual page /usr/share/man/$page"
    else
        fail "no manual page /usr/share/man/$page"
    fi
done

summary "Debian package check"

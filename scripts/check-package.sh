#!/usr/bin/env bash
# Checks a built Debian package of Kestrelwick the way a distribution would:
# lintian with no errors and no warnings, the files a desktop program ships,
# its dependencies worked out from the binary, a stripped program, and valid
# desktop entry and AppStream metadata as installed.
#
#   scripts/check-package.sh build/release/kestrelwick_1.00_amd64.deb
set -euo pipefail
deb=$1
failed=0
fail() {
    echo "package check failed: $*" >&2
    failed=1
}

echo "lintian $(basename "$deb"):"
lintian --fail-on error,warning --display-info "$deb" 2>&1 | grep -v 'running with root privileges' ||
    true
lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || fail "lintian reports errors or warnings"

files=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
for wanted in \
    ./usr/bin/kestrelwick \
    ./usr/share/applications/kestrelwick.desktop \
    ./usr/share/icons/hicolor/16x16/apps/kestrelwick.png \
    ./usr/share/icons/hicolor/32x32/apps/kestrelwick.png \
    ./usr/share/icons/hicolor/48x48/apps/kestrelwick.png \
    ./usr/share/icons/hicolor/64x64/apps/kestrelwick.png \
    ./usr/share/icons/hicolor/128x128/apps/kestrelwick.png \
    ./usr/share/icons/hicolor/256x256/apps/kestrelwick.png \
    ./usr/share/metainfo/example.kestrelwick.Kestrelwick.metainfo.xml \
    ./usr/share/man/man1/kestrelwick.1.gz \
    ./usr/share/doc/kestrelwick/copyright \
    ./usr/share/doc/kestrelwick/changelog.gz; do
    grep -qxF "$wanted" <<<"$files" || fail "$wanted is missing"
done

depends=$(dpkg-deb --field "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "no dependency on Qt Widgets: $depends"
# Whole outputs, never a pipe into head or grep -q: under pipefail a reader
# that stops early would make the writer fail now and then.
description=$(dpkg-deb --field "$deb" Description)
summary=${description%%$'\n'*}
[ ${#summary} -lt 80 ] || fail "summary of ${#summary} characters"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
[[ $(file "$unpacked/usr/bin/kestrelwick") == *", stripped"* ]] || fail "the program is not stripped"
desktop-file-validate "$unpacked/usr/share/applications/kestrelwick.desktop" ||
    fail "desktop entry"
appstreamcli validate --no-net \
    "$unpacked/usr/share/metainfo/example.kestrelwick.Kestrelwick.metainfo.xml" ||
    fail "AppStream metadata"

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "package checks passed: $(basename "$deb"), depends on $depends"

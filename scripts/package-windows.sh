#!/usr/bin/env bash
# Packs the Windows program that `make windows` built: a zip of the program,
# the README as text and the licences, and an installer made with NSIS.
#
#   scripts/package-windows.sh BUILD_DIR QT_PREFIX
#
# Writes BUILD_DIR/kestrelwick-VERSION-win64.zip and
# BUILD_DIR/kestrelwick-VERSION-setup.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
qt=$2
version=$(sed -n 's/^set(KESTRELWICK_VERSION_TEXT "\(.*\)")/\1/p' CMakeLists.txt)
stage="$build/package/kestrelwick-$version"
rm -rf "$build/package"
mkdir -p "$stage"

x86_64-w64-mingw32-strip -o "$stage/kestrelwick.exe" "$build/src/kestrelwick.exe"
# Text files as Windows editors expect them: CR LF.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }
crlf README.md "$stage/README.txt"
crlf LICENSE "$stage/LICENSE.txt"
crlf "$qt/LGPL-3.0-only.txt" "$stage/Qt-LGPL-3.0.txt"
crlf "$qt/GPL-3.0-only.txt" "$stage/Qt-GPL-3.0.txt"
dsc=$(basename "$(ls "$qt"/qt6-base_*.dsc)")
qt_version=$(sed -n 's/^Version: //p' "$qt/$dsc")
cat >"$stage/Qt-SOURCE.in" <<TEXT
Kestrelwick for Windows is linked statically with Qt ${qt_version%%+*}, which is
licensed under the GNU Lesser General Public License version 3 (Qt-LGPL-3.0.txt,
which adds to the GNU General Public License version 3 in Qt-GPL-3.0.txt).

Qt's source: the Debian source package qt6-base, version $qt_version
($dsc and the files it names, from the Debian archive or
https://snapshot.debian.org/package/qt6-base/$qt_version/), built without
change by scripts/build-qt-windows.sh in Kestrelwick's source.

To relink Kestrelwick with a modified Qt: Kestrelwick's own source is public.
Build your Qt with scripts/build-qt-windows.sh (change the source or the
options there), then run "make windows": the program is linked anew against
the Qt that the script installed.
TEXT
crlf "$stage/Qt-SOURCE.in" "$stage/Qt-SOURCE.txt"
rm "$stage/Qt-SOURCE.in"

zip_file="$build/kestrelwick-$version-win64.zip"
rm -f "$zip_file"
(cd "$build/package" && zip -q -r -X "../$(basename "$zip_file")" "kestrelwick-$version")

cp resources/kestrelwick.ico "$build/package/kestrelwick.ico"
cp "$stage"/* "$build/package/"
makensis -V2 -DVERSION="$version" -DSOURCE="$(realpath "$build/package")" \
    -DOUTFILE="$(realpath "$build")/kestrelwick-$version-setup.exe" \
    resources/windows/installer.nsi
echo "$zip_file"
echo "$build/kestrelwick-$version-setup.exe"

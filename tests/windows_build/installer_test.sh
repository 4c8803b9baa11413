#!/usr/bin/env bash
# The Windows installer as a user or an administrator runs it without a
# question: /S installs for the current user, the program starts from where
# it was installed and answers, the Start-menu entry and the entry in the
# list of installed programs are there, and the uninstaller takes it all away
# again. Runs under Wine, in the prefix the caller has set up.
#
#   installer_test.sh SETUP.EXE
set -uo pipefail
setup=$1
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrelwick'

wine "$setup" /S /CurrentUser
programs=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
folder=$(winepath -u "$programs\\Programs\\Kestrelwick" 2>/dev/null)
for file in kestrelwick.exe uninstall.exe README.txt LICENSE.txt Qt-LGPL-3.0.txt Qt-SOURCE.txt; do
    [ -f "$folder/$file" ] || fail "the installer left no $file in $folder"
done
version=$(wine "$folder/kestrelwick.exe" --version 2>/dev/null | tr -d '\r')
[ "$version" = "kestrelwick 1.00" ] || fail "the installed program says '$version'"
start_menu=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
[ -f "$start_menu/Kestrelwick.lnk" ] || fail "no Start-menu entry in $start_menu"
wine reg query "$key" /v UninstallString >/dev/null 2>&1 || fail "no uninstaller registered at $key"

# The uninstaller runs a copy of itself from the temporary folder, so that
# it can remove itself, and returns at once: wait for that copy's work.
wine "$folder/uninstall.exe" /S /CurrentUser
for _ in $(seq 300); do
    [ -e "$folder" ] || break
    sleep 0.1
done
[ -e "$folder/kestrelwick.exe" ] && fail "the uninstaller left kestrelwick.exe"
[ -e "$start_menu/Kestrelwick.lnk" ] && fail "the uninstaller left the Start-menu entry"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstaller left $key"

echo "installer: $failures failed"
[ "$failures" -eq 0 ]

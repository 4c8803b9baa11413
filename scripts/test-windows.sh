#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and tests it under
# Wine: the engine's, the file reader's and the Windows pieces' unit tests,
# the window's Qt Test cases on the offscreen platform, and the command-line
# test script against kestrelwick.exe; the window on Windows' own platform
# in a private X server (links, labels and fonts); then the installer, installed and
# uninstalled without a question, and the same check on Linux and under
# Wine giving the same bytes. Headless, in a private Wine prefix inside the
# build folder, with one Wine server kept up for the whole run so that no
# test pays for starting it.
#
#   scripts/test-windows.sh            (make test-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

scripts/setup-deps.sh windows
scripts/build-windows.sh

export WINEPREFIX="$PWD/build/win64-qt/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installer: nothing here needs .NET or a browser engine.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# One server for the whole run; a server left over from an earlier run would
# keep this one from starting.
mkdir -p "$WINEPREFIX"
wineserver --kill 2>/dev/null || true
wineserver --persistent
trap 'wineserver --kill 2>/dev/null || true' EXIT

# The first run creates the prefix. Wine's complaint about the 32-bit side,
# which Debian's 64-bit Wine lacks, goes to the log with the rest.
if ! wineboot --init >build/win64-qt/wineboot.log 2>&1; then
    cat build/win64-qt/wineboot.log >&2
    exit 1
fi

# Fonts for the offscreen platform, whose Windows build reads a folder of
# them: Debian's DejaVu. Wine keeps QT_ variables of the host from Windows
# programs, so it is set in the prefix's own environment.
wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d 'Z:\usr\share\fonts\truetype\dejavu' /f \
    >/dev/null 2>&1

if ! ctest --preset win64-qt -j"$jobs"; then
    # The window's tests under Wine write their results to files.
    for log in build/win64-qt/tests/window/*.log; do
        grep -q 'FAIL!' "$log" 2>/dev/null && { echo "== $log"; grep -v QWARN "$log"; }
    done
    exit 1
fi
# The window on Windows' own platform plugin, in an X server of its own: the
# links and labels stay drawn while the report is open, in sans-serif faces.
# Wine's server started without a display would keep the window off the X
# server, so it starts again with the test's.
wineserver --kill 2>/dev/null || true
tests/window/window_drawn_test.sh build/win64-qt/tests/window/kestrelwick_window_drawn.exe
tests/windows_build/installer_test.sh build/win64-qt/kestrelwick-*-setup.exe
if [ -x build/dev/src/kestrelwick ]; then
    tests/windows_build/same_output_test.sh build/dev/src/kestrelwick build/win64-qt/src/kestrelwick.exe
fi

#!/usr/bin/env bash
# Cross-builds the engine, its tests and the Windows-only pieces (the shell
# call, the icon and version resources) with MinGW-w64, then runs the tests
# under Wine: headless, in a private Wine prefix inside the build folder, with
# one Wine server kept up for the whole run so that no test pays for starting
# it.
#
#   scripts/test-windows.sh            (make test-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

scripts/setup-deps.sh windows
cmake --preset win64
cmake --build --preset win64 -j"$jobs"

export WINEPREFIX="$PWD/build/win64/wineprefix"
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
if ! wineboot --init >build/win64/wineboot.log 2>&1; then
    cat build/win64/wineboot.log >&2
    exit 1
fi

ctest --preset win64 -j"$jobs"

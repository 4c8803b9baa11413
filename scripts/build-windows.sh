#!/usr/bin/env bash
# Builds Kestrelwick for 64-bit Windows (make windows): the static Qt for
# MinGW-w64 from its cache (scripts/build-qt-windows.sh builds it the first
# time), kestrelwick.exe and its tests against it in build/win64-qt/, then
# the zip and the installer (scripts/package-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

prefix=$(scripts/build-qt-windows.sh | tail -n 1)
# A build folder configured against another Qt (an older recipe) keeps that
# Qt's package paths in its cache: it is configured afresh.
fresh=()
cached=$(sed -n 's/^Qt6_DIR:[A-Z]*=//p' build/win64-qt/CMakeCache.txt 2>/dev/null || true)
if [ -n "$cached" ] && [[ $cached != "$prefix"/* ]]; then
    fresh=(--fresh)
fi
cmake --preset win64-qt "${fresh[@]}" -DKESTRELWICK_QT_WINDOWS_PREFIX="$prefix" >/dev/null
cmake --build --preset win64-qt -j"$jobs"
scripts/package-windows.sh build/win64-qt "$prefix"

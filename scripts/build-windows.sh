#!/usr/bin/env bash
# Builds Kestrelwick for 64-bit Windows (make windows): the static Qt for
# MinGW-w64 from its cache (scripts/build-qt-windows.sh builds it the first
# time), kestrelwick.exe and its tests against it in build/win64-qt/, then
# the zip and the installer (scripts/package-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

prefix=$(scripts/build-qt-windows.sh | tail -n 1)
cmake --preset win64-qt -DKESTRELWICK_QT_WINDOWS_PREFIX="$prefix" >/dev/null
cmake --build --preset win64-qt -j"$jobs"
scripts/package-windows.sh build/win64-qt "$prefix"

#!/usr/bin/env bash
# Builds the program and its tests the way a packager does: a plain CMake
# configure with only CMAKE_BUILD_TYPE set, the project's own options at their
# defaults (warnings are not errors), for each optimised build type. The
# default compiler builds all three; with clang installed, clang builds
# Release as well.
#
#   scripts/check-build-types.sh         (make check-build-types)
#
# Each build type keeps its own folder under build/types/, so a second run
# builds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

builds=("c++ Release" "c++ RelWithDebInfo" "c++ MinSizeRel")
if command -v clang++ >/dev/null; then
    builds+=("clang++ Release")
fi

mkdir -p build/types
for build in "${builds[@]}"; do
    read -r compiler type <<<"$build"
    dir="build/types/$compiler-$type"
    started=$(date +%s)
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DCMAKE_CXX_COMPILER="$compiler" \
        >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log" >&2; exit 1; }
    cmake --build "$dir" -j"$jobs" >"$dir.build.log" 2>&1 || {
        grep -A15 -m5 'FAILED\|error:' "$dir.build.log" >&2
        echo "$type build with $compiler: FAILED" >&2
        exit 1
    }
    echo "$type build with $compiler: built in $(($(date +%s) - started)) s" \
        "($(grep -c 'warning:' "$dir.build.log" || true) warnings)"
done

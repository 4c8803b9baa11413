#!/usr/bin/env bash
# Starts the program from a build folder.
set -euo pipefail
build=${1:-build/release}
program="$build/src/kestrelwick"
if [ ! -x "$program" ]; then
    echo "The Kestrelwick window is not built yet: only the Check Articles engine exists so far." >&2
    echo "Run 'make test' to build and test it." >&2
    exit 1
fi
exec "$program"

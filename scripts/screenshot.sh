#!/usr/bin/env bash
# Starts Kestrelwick in a private X server and saves a screenshot of its
# window as PNG.
#
#   scripts/screenshot.sh [program] [output.png]
set -euo pipefail
program=${1:-build/release/src/kestrelwick}
output=${2:-docs/screenshot.png}

if ! command -v import >/dev/null || ! command -v Xvfb >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq imagemagick xvfb x11-utils
fi

# Xvfb picks a free display itself and writes its number once it is ready.
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x900x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 300); do
    [ -s "$number_file" ] && break
    sleep 0.1
done
display=:$(head -n 1 "$number_file")
rm -f "$number_file"
trap 'kill "$program_pid" "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" &
program_pid=$!
title="Check minimum article length, convert to AMA format"
info=""
for _ in $(seq 100); do
    info=$(DISPLAY=$display xwininfo -name "$title" 2>/dev/null) && break
    sleep 0.1
done
sleep 1
crop=$(awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
            /Width:/ { w = $2 } /Height:/ { h = $2 }
            END { if (w) printf "%dx%d+%d+%d", w, h, x, y }' <<<"$info")
mkdir -p "$(dirname "$output")"
import -display "$display" -window root ${crop:+-crop "$crop"} "png:$output"
convert "$output" +repage "$output"
echo "Saved $output"

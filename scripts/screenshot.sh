#!/usr/bin/env bash
# Starts Kestrelwick in a private X server and saves a screenshot of the whole
# screen as PNG.
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

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x900x24 -nolisten tcp &
xvfb=$!
trap 'kill "$program_pid" "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" &
program_pid=$!
for _ in $(seq 100); do
    DISPLAY=$display xwininfo -name "Check minimum article length, convert to AMA format" \
        >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 1
mkdir -p "$(dirname "$output")"
import -display "$display" -window root "png:$output"
echo "Saved $output"

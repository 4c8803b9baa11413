#!/usr/bin/env bash
# Runs the screen test in a private X server of the given size, under the
# openbox window manager, at the given Qt scale factor.
#
#   screen_xvfb.sh TEST_PROGRAM WIDTHxHEIGHT SCALE design|scrolled
set -euo pipefail
program=$1 size=$2 scale=$3 expect=$4

source "$(dirname "$0")/../../scripts/xvfb.sh"
wm_pid=""
trap 'kill $wm_pid 2>/dev/null; stop_xvfb' EXIT
start_xvfb "${size}x24"

openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
# The window manager is up once it has claimed the screen.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale KESTRELWICK_EXPECT=$expect "$program"

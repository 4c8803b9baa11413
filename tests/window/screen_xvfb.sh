#!/usr/bin/env bash
# Runs the screen test in a private X server of the given size, under the
# openbox window manager, at the given Qt scale factor.
#
#   screen_xvfb.sh TEST_PROGRAM WIDTHxHEIGHT SCALE design|fitted|maximised
set -euo pipefail
program=$1 size=$2 scale=$3 expect=$4

source "$(dirname "$0")/../../scripts/xvfb.sh"
WM_PID=""
trap 'kill $WM_PID 2>/dev/null; stop_xvfb' EXIT
start_xvfb "${size}x24"
start_window_manager openbox

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale KESTRELWICK_EXPECT=$expect "$program"

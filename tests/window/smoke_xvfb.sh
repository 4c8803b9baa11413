#!/usr/bin/env bash
# Starts the built program in a private X server and checks that its window
# appears with the right caption and client size, and that the desktop can
# match it to its desktop entry: the instance part of WM_CLASS is the entry's
# name and the class part its StartupWMClass.
set -euo pipefail
program=$1

source "$(dirname "$0")/../../scripts/xvfb.sh"
program_pid=""
log=""
trap 'kill $program_pid 2>/dev/null; stop_xvfb; rm -f "$log"' EXIT
start_xvfb 1280x1024x24

log=$(mktemp)
# A state folder of its own: the user's saved work stays out of the test.
data=$(mktemp -d)
trap 'kill $program_pid 2>/dev/null; stop_xvfb; rm -rf "$log" "$data"' EXIT
XDG_DATA_HOME=$data XDG_CONFIG_HOME=$data QT_QPA_PLATFORM=xcb "$program" >"$log" 2>&1 &
program_pid=$!

if ! wait_for_window; then
    echo "no window named \"$KESTRELWICK_TITLE\" appeared on display $DISPLAY; the program said:"
    cat "$log"
    exit 1
fi
info=$(xwininfo -id "$WINDOW_ID")
width=$(awk '/Width:/ { print $2 }' <<<"$info")
height=$(awk '/Height:/ { print $2 }' <<<"$info")
echo "window \"$KESTRELWICK_TITLE\": ${width} x ${height}"
[ "$width" = 910 ] && [ "$height" = 820 ]

desktop="$(dirname "$0")/../../resources/kestrelwick.desktop"
wm_class_wanted="\"$(basename "$desktop" .desktop)\", \"$(sed -n 's/^StartupWMClass=//p' "$desktop")\""
window_id=$(awk '/Window id:/ { print $4 }' <<<"$info")
wm_class=$(xprop -id "$window_id" WM_CLASS | sed 's/^WM_CLASS(STRING) = //')
echo "WM_CLASS $wm_class"
if [ "$wm_class" != "$wm_class_wanted" ]; then
    echo "WM_CLASS should be $wm_class_wanted, as the desktop entry has it"
    exit 1
fi
kill -0 "$program_pid"

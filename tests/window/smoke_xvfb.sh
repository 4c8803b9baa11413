#!/usr/bin/env bash
# Starts the built program in a private X server and checks that its window
# appears with the right caption and client size.
set -euo pipefail
program=$1
title="Check minimum article length, convert to AMA format"

# Xvfb picks a free display itself and writes its number once it is ready.
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 300); do
    [ -s "$number_file" ] && break
    sleep 0.1
done
display=:$(head -n 1 "$number_file")
rm -f "$number_file"
program_pid=""
log=""
trap 'kill $program_pid $xvfb 2>/dev/null || true; rm -f "$log"' EXIT
for _ in $(seq 300); do
    DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

log=$(mktemp)
DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" >"$log" 2>&1 &
program_pid=$!

info=""
for _ in $(seq 300); do
    if info=$(DISPLAY=$display xwininfo -name "$title" 2>/dev/null); then
        break
    fi
    sleep 0.1
done
if [ -z "$info" ]; then
    echo "no window named \"$title\" appeared on display $display; the program said:"
    cat "$log"
    exit 1
fi
width=$(awk '/Width:/ { print $2 }' <<<"$info")
height=$(awk '/Height:/ { print $2 }' <<<"$info")
echo "window \"$title\": ${width} x ${height}"
[ "$width" = 910 ] && [ "$height" = 820 ]
kill -0 "$program_pid"

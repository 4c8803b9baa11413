#!/usr/bin/env bash
# Starts the built program in a private X server and checks that its window
# appears with the right caption and client size.
set -euo pipefail
program=$1
title="Check minimum article length, convert to AMA format"

# Xvfb picks a free display itself and writes its number to the pipe.
exec {display_pipe}< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb <&"$display_pipe"
read -r number <&"$display_pipe"
display=:$number
program_pid=""
trap 'kill $program_pid $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
program_pid=$!

info=""
for _ in $(seq 100); do
    if info=$(DISPLAY=$display xwininfo -name "$title" 2>/dev/null); then
        break
    fi
    sleep 0.1
done
if [ -z "$info" ]; then
    echo "no window named \"$title\" appeared"
    exit 1
fi
width=$(awk '/Width:/ { print $2 }' <<<"$info")
height=$(awk '/Height:/ { print $2 }' <<<"$info")
echo "window \"$title\": ${width} x ${height}"
[ "$width" = 910 ] && [ "$height" = 820 ]
kill -0 "$program_pid"

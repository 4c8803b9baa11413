#!/usr/bin/env bash
# The window as a person sees it while the report is open, in a private X
# server with openbox: the three links and the count labels that the report
# leaves uncovered hold dark pixels (their text), and the controls are drawn
# in sans-serif faces that the system has. Runs the Linux test program, or
# the Windows one under Wine with Windows' own platform plugin.
#
#   window_drawn_test.sh PROGRAM       (kestrelwick_window_drawn[.exe])
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/xvfb.sh"
work=$(mktemp -d)
WM_PID=""
program_pid=""
trap 'kill $program_pid $WM_PID 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT
start_xvfb 1280x900x24
start_window_manager openbox

launch=("$program")
if [[ $program == *.exe ]]; then
    launch=(wine "$program" -platform windows)
else
    export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work XDG_DATA_HOME=$work
fi
"${launch[@]}" >"$work/said" 2>"$work/log" &
program_pid=$!
# Lines as the program wrote them, CR LF under Windows.
said() { tr -d '\r' <"$work/said"; }
# Wine may take a while to start the first time.
for _ in $(seq 1200); do
    said | grep -q '^ready$\|^no report$' && break
    sleep 0.1
done
if ! said | grep -q '^ready$'; then
    echo "FAIL: the report did not open"
    said
    cat "$work/log"
    exit 1
fi
sleep 0.5
import -window root "$work/screen.png"
[ -z "${KESTRELWICK_KEEP_SCREEN:-}" ] || cp "$work/screen.png" "$KESTRELWICK_KEEP_SCREEN"

failures=0
# Sans-serif faces that Windows, Wine and Linux desktops have.
sans='^(Microsoft Sans Serif|Tahoma|Arial|Segoe UI|DejaVu Sans|Liberation Sans|Noto Sans|FreeSans)$'
while read -r _ name family; do
    face=${family%|*}
    echo "font of $name: $face (${family#*|})"
    if ! [[ $face =~ $sans ]] || [ "${family#*|}" != found ]; then
        echo "FAIL: $name is drawn in \"$face\", not a sans-serif face the system has"
        failures=$((failures + 1))
    fi
done < <(said | grep '^font ')

# Text is whatever is darker than three quarters white: the links' blue
# highlight as much as the labels' black, never the window's face. A
# rectangle all dark is no window at all (the screen's black behind it).
# Two pixels in from every edge, clear of the box whose border a label
# touches.
checked=0
while read -r _ name x y w h; do
    x=$((x + 2)) y=$((y + 2)) w=$((w - 4)) h=$((h - 4))
    dark=$(convert "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage -colorspace Gray \
        -threshold 75% -negate -format '%[fx:round(mean*w*h)]' info:)
    echo "$name at ${w}x${h}+${x}+${y}: $dark dark pixels"
    if [ "$dark" -lt 10 ]; then
        echo "FAIL: nothing is drawn where $name stands"
        failures=$((failures + 1))
    elif [ "$dark" -gt $((w * h * 9 / 10)) ]; then
        echo "FAIL: no window where $name should stand"
        failures=$((failures + 1))
    fi
    checked=$((checked + 1))
done < <(said | grep '^rect ')
# The three links and at least two labels beside the report.
if [ "$checked" -lt 5 ]; then
    echo "FAIL: only $checked rectangles to look at"
    failures=$((failures + 1))
fi
wait "$program_pid" 2>/dev/null || true
program_pid=""
echo "window drawn: $failures failed"
[ "$failures" -eq 0 ]

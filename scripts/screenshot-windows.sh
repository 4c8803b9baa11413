#!/usr/bin/env bash
# Starts kestrelwick.exe under Wine in a private X server with openbox, opens
# the three versions of the worked example, presses Check Articles with the
# keyboard and saves a screenshot of the screen with the report open.
#
#   scripts/screenshot-windows.sh [output.png]      (after make windows)
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot-windows.png}
program=build/win64-qt/src/kestrelwick.exe
work=$(mktemp -d)
export WINEPREFIX="$PWD/build/win64-qt/wineprefix-screenshot"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

source scripts/xvfb.sh
WM_PID=""
trap 'wineserver --kill 2>/dev/null; kill $WM_PID 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT
start_xvfb 1280x900x24
start_window_manager openbox
wineboot --init >/dev/null 2>&1 || true

source tests/data/sample.sh
for k in 1 2 3; do
    sample_article "$k" crlf >"$work/dogs$k.txt"
done
wine "$program" ${KESTRELWICK_WINE_ARGS:-} "$work/dogs1.txt" "$work/dogs2.txt" "$work/dogs3.txt" >/dev/null 2>&1 &

wait_for_window 60 || { echo "the window did not appear" >&2; exit 1; }
window=$WINDOW_ID
sleep 2
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key Tab Tab Tab Tab Tab Tab Return  # from article 1 to Check Articles, press it
sleep 2
mkdir -p "$(dirname "$output")"
import -window root "png:$output"
echo "Saved $output"

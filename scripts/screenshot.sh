#!/usr/bin/env bash
# Starts Kestrelwick in a private X server, types the three versions of a short
# article into it the way a person would, tabs to Check Articles, presses Enter
# and saves a screenshot of the window after the report is closed. A second
# picture of the report itself goes next to it.
#
#   scripts/screenshot.sh [program] [output.png]
#
# SCREEN (default 1024x900) and SCALE (Qt's scale factor, default 1) set the
# screen. With WM=openbox the window is framed by a window manager and the
# pictures show the whole screen; without, they show the window alone. With
# MAXIMISE=1 as well, the window is maximised before anything is typed. With
# ARTICLES set to three files, the window opens with them instead of typing,
# and the report's marks show in the pictures; with PREVIEW set to a file
# name as well, F9 then previews a spun article and that picture is saved
# there; with BATCH set to a file name too, the preview's "Save spun
# articles…" asks for twelve articles (that picture is saved there) and
# writes them, and the message that says how much any two share is saved
# beside it (BATCH with -summary before .png). With MENU set to a file name,
# Shift+F10 in the output box then opens its menu, and a picture of the box
# with its menu is saved there; with HELP set to a file name, F1 then opens
# the help window, and a picture of it alone is saved there.
set -euo pipefail
program=${1:-build/release/src/kestrelwick}
output=${2:-docs/screenshot.png}
report_output="${output%.png}-report.png"
screen=${SCREEN:-1024x900}
scale=${SCALE:-1}
wm=${WM:-}
maximise=${MAXIMISE:-}

need=()
command -v import >/dev/null || need+=(imagemagick)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xwininfo >/dev/null || need+=(x11-utils)
command -v xdotool >/dev/null || need+=(xdotool)
[ -z "$wm" ] || command -v "$wm" >/dev/null || need+=("$wm")
[ -z "$maximise" ] || command -v wmctrl >/dev/null || need+=(wmctrl)
if [ ${#need[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}"
fi

source "$(dirname "$0")/xvfb.sh"
program_pid=""
WM_PID=""
# A state folder of its own: the window starts empty, whatever was saved.
data=$(mktemp -d)
trap 'kill $program_pid $WM_PID 2>/dev/null; stop_xvfb; rm -rf "$data"' EXIT
start_xvfb "${screen}x24"
if [ -n "$wm" ]; then
    start_window_manager "$wm"
fi

read -r -a articles <<<"${ARTICLES:-}"
# Settings of its own too: the spin format is the default one.
XDG_DATA_HOME=$data XDG_CONFIG_HOME=$data QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$program" "${articles[@]}" &
program_pid=$!

info=""
wait_for_window && info=$(xwininfo -id "$WINDOW_ID")
[ -n "$wm" ] || crop=$(awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
            /Width:/ { w = $2 } /Height:/ { h = $2 }
            END { if (w) printf "%dx%d+%d+%d", w, h, x, y }' <<<"$info")
if [ -n "$maximise" ]; then
    wmctrl -i -r "$(awk '/Window id:/ { print $4 }' <<<"$info")" -b add,maximized_vert,maximized_horz
    sleep 1
    info=$(xwininfo -id "$WINDOW_ID")
fi
left=$(awk '/Absolute upper-left X:/ { print $4 }' <<<"$info")
top=$(awk '/Absolute upper-left Y:/ { print $4 }' <<<"$info")
window=$(awk '/Window id:/ { print $4 }' <<<"$info")
sleep 0.5

# Clicks at a point of the window's client area.
click() {
    xdotool mousemove $((left + $1)) $((top + $2)) click 1
    sleep 0.2
}
type_article() {
    local first=1
    for line in "$@"; do
        [ $first -eq 1 ] || xdotool key Return
        xdotool type --delay 2 "$line"
        first=0
    done
}
shot() {
    import -window root ${crop:+-crop "$crop"} "png:$1"
    convert "$1" +repage "$1"
    echo "Saved $1"
}

# From Check Articles, where the focus is once the report is closed: the
# output box's menu, and the help.
menu_and_help() {
    if [ -n "${MENU:-}" ]; then
        xdotool key shift+Tab shift+Tab shift+Tab   # past both choices to the output box
        xdotool key shift+F10
        sleep 1
        import -window root -crop "470x355+$((left + 440))+$((top + 340))" "png:$MENU"
        convert "$MENU" +repage -strip +dither -colors 64 "PNG8:$MENU"   # small: few colours
        echo "Saved $MENU"
        xdotool key Escape
        sleep 0.3
    fi
    if [ -n "${HELP:-}" ]; then
        # Without a window manager, a closed menu leaves the window without
        # the keyboard's focus.
        xdotool windowfocus --sync "$window" 2>/dev/null || true
        xdotool key F1
        sleep 1
        local help
        help=$(xdotool search --name '^Kestrelwick help$' | head -n 1)
        import -window "$help" "png:$HELP"
        convert "$HELP" -strip +dither -colors 64 "PNG8:$HELP"
        echo "Saved $HELP"
        xdotool key Escape
        sleep 0.3
    fi
}

xdotool windowfocus --sync "$window" 2>/dev/null || true
if [ ${#articles[@]} -gt 0 ]; then
    xdotool key Tab Tab Tab Tab Tab Tab Return  # from article 1 to Check Articles, press it
    sleep 1
    import -window root "png:$report_output"
    echo "Saved $report_output"
    xdotool key Return  # closes the report
    sleep 0.5
    shot "$output"
    if [ -n "${PREVIEW:-}" ]; then
        # Without a window manager, a closed message leaves the window
        # without the keyboard's focus.
        xdotool windowfocus --sync "$window" 2>/dev/null || true
        xdotool key F9
        sleep 1
        import -window root "png:$PREVIEW"
        echo "Saved $PREVIEW"
        if [ -n "${BATCH:-}" ]; then
            xdotool key alt+s   # Save spun articles…
            sleep 1
            xdotool key ctrl+a && xdotool type 12
            xdotool key Tab Tab Tab ctrl+a && xdotool type "$data/spun articles"
            sleep 0.5
            import -window root "png:$BATCH"
            echo "Saved $BATCH"
            xdotool key Return   # Save
            sleep 2
            import -window root "png:${BATCH%.png}-summary.png"
            echo "Saved ${BATCH%.png}-summary.png"
            xdotool key Return
            sleep 0.5
        fi
        xdotool key Escape
        sleep 0.5
    fi
    menu_and_help
    exit 0
fi
click 200 150
for k in 1 2 3; do
    mapfile -t lines <"$(dirname "$0")/../tests/data/dogs-$k.txt"
    type_article "${lines[@]}"
    xdotool key Tab
done
xdotool key Tab Tab Tab Return   # past the two choices to Check Articles, press it
sleep 1
mkdir -p "$(dirname "$output")"
import -window root "png:$report_output"
echo "Saved $report_output"
xdotool key Return   # closes the report
sleep 0.5
shot "$output"
menu_and_help

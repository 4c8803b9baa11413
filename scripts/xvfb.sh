# Sourced by scripts that need a private X server.
#
#   start_xvfb WIDTHxHEIGHTxDEPTH
#
# starts Xvfb on a display it picks itself, exports DISPLAY, sets XVFB_PID and
# returns once the server takes connections. stop_xvfb ends it and waits until
# it is gone, so that it cannot remove the socket of a server that a following
# run starts on the same display.
#
#   start_window_manager PROGRAM
#
# starts a window manager (openbox) on that display, sets WM_PID and returns
# once it has claimed the screen.
#
#   wait_for_window [SECONDS]
#
# waits (30 seconds unless told) until Kestrelwick's window, found by its
# title KESTRELWICK_TITLE, exists on the display; sets WINDOW_ID and returns
# 0, or returns 1 when it did not appear.

KESTRELWICK_TITLE="Check minimum article length, convert to AMA format"

start_xvfb() {
    local number_file
    number_file=$(mktemp)
    # -noreset: the server would otherwise reset when its first client leaves
    # and turn away whoever connects during the reset.
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$number_file" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 300); do
        [ -s "$number_file" ] && break
        sleep 0.1
    done
    export DISPLAY=:$(head -n 1 "$number_file")
    rm -f "$number_file"
    if ! xdpyinfo >/dev/null 2>&1; then
        echo "Xvfb did not start" >&2
        return 1
    fi
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    return 0
}

start_window_manager() {
    "$1" >/dev/null 2>&1 &
    WM_PID=$!
    for _ in $(seq 100); do
        [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *"window id"* ]] && return 0
        sleep 0.1
    done
    echo "$1 did not start" >&2
    return 1
}

wait_for_window() {
    local tries=$((${1:-30} * 10))
    WINDOW_ID=""
    for _ in $(seq "$tries"); do
        WINDOW_ID=$(xdotool search --name "^$KESTRELWICK_TITLE\$" 2>/dev/null | head -n 1)
        [ -n "$WINDOW_ID" ] && return 0
        sleep 0.1
    done
    return 1
}

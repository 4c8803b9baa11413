#!/usr/bin/env bash
# The user's work survives the program's death: the real program types into
# a box in a private X server and is ended, and is started again; a screen
# reader then finds the typed text back in its box. With KILL (the default)
# it is killed once the quiet time after the last key has passed; with TERM
# or HUP the signal comes at once, before that time, and the program saves
# before it ends.
#
#   saved_state_xvfb.sh PROGRAM [KILL|TERM|HUP]
set -euo pipefail
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${KESTRELWICK_IN_SESSION:-}" ]; then
    exec env KESTRELWICK_IN_SESSION=1 dbus-run-session -- "$0" "$@" 2> >(grep -v '^dbus-daemon' >&2)
fi
program=$1
signal=${2:-KILL}
here=$(dirname "$0")

source "$here/../../../scripts/xvfb.sh"
program_pid=""
bus_pid=""
data=$(mktemp -d)
trap 'kill -9 $program_pid 2>/dev/null; kill $bus_pid 2>/dev/null; stop_xvfb; rm -rf "$data"' EXIT
start_xvfb 1280x1024x24
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus_pid=$!
export XDG_DATA_HOME=$data XDG_CONFIG_HOME=$data QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

"$program" >/dev/null 2>&1 &
program_pid=$!
wait_for_window || { echo "the window did not appear"; exit 1; }
window=$WINDOW_ID
# Article 1 has the focus when the window opens.
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool type --delay 20 "Saved before the crash"
xdotool key Return
xdotool type --delay 20 "second line"

state="$data/prjKestrelwick/boxes.state"
if [ "$signal" = KILL ]; then
    for _ in $(seq 100); do
        [ -s "$state" ] && break
        sleep 0.1
    done
    [ -s "$state" ] || { echo "nothing was saved in $state"; exit 1; }
else
    sleep 0.3  # the keys reach the box, well inside the quiet time
    [ -s "$state" ] && { echo "saved before the signal: the test proves nothing"; exit 1; }
fi
kill -"$signal" "$program_pid"
wait "$program_pid" 2>/dev/null || true
[ -s "$state" ] || { echo "nothing was saved in $state after SIG$signal"; exit 1; }

"$program" >/dev/null 2>&1 &
program_pid=$!
export KESTRELWICK_EXPECT_ARTICLES=$'Saved before the crash\nsecond line\f\f'
/usr/bin/python3 "$here/../accessibility_tree.py"

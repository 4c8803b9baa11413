#!/usr/bin/env bash
# Starts the program in a private X server and session bus with the
# accessibility bus up, and reads its window as a screen reader would.
#
#   accessibility_xvfb.sh PROGRAM [ARGUMENTS...]
#
# The arguments go to the program. With KESTRELWICK_EXPECT_ARTICLES set, the
# texts of the three article boxes are checked against it.
set -euo pipefail
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${KESTRELWICK_IN_SESSION:-}" ]; then
    exec env KESTRELWICK_IN_SESSION=1 dbus-run-session -- "$0" "$@" 2> >(grep -v '^dbus-daemon' >&2)
fi
program=$1
shift
here=$(dirname "$0")

source "$here/../../scripts/xvfb.sh"
program_pid=""
bus_pid=""
trap 'kill $program_pid $bus_pid 2>/dev/null; stop_xvfb' EXIT
start_xvfb 1280x1024x24

/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus_pid=$!
# A state folder of its own: the user's saved work stays out of the test.
data=$(mktemp -d)
trap 'kill $program_pid $bus_pid 2>/dev/null; stop_xvfb; rm -rf "$data"' EXIT
XDG_DATA_HOME=$data XDG_CONFIG_HOME=$data QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
    "$program" "$@" >/dev/null 2>&1 &
program_pid=$!

KESTRELWICK_STATE_PATH=$data/prjKestrelwick/boxes.state /usr/bin/python3 "$here/accessibility_tree.py"

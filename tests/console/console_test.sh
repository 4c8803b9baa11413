# Sourced by the scripts that run the real program from a shell: how it is
# started (kestrelwick.exe through Wine, with what only a Unix system has
# left out there), a folder of the script's own, and the checks they share.
# PROGRAM is the program to run.

# kestrelwick.exe runs through Wine, and what only a Unix system has (file
# names of any bytes, links, /proc, closed streams, SIGPIPE, no display) is
# left out there.
launch=("$program")
windows=""
if [[ $program == *.exe ]]; then
    launch=(wine "$program")
    windows=1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
source "$(dirname "$0")/../data/sample.sh"

# No display of any kind: these answers must not need one.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${launch[@]}" "$@" \
        >"$work/out" 2>"$work/err" <"${stdin:-/dev/null}"
    status=$?
}
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
expect_status() {
    [ "$status" -eq "$1" ] || fail "$2: status $status, not $1 ($(cat "$work/err"))"
}
expect_file() {  # FILE EXPECTED-TEXT WHAT
    [ "$(cat "$1")" = "$2" ] || fail "$3: got
$(cat "$1")"
}


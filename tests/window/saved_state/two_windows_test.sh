#!/usr/bin/env bash
# Two windows started at the same moment: exactly one keeps the saved work,
# and the other says in its title that it does not. Once with the first
# window's lock written four seconds late (the test's own delay), then fifty
# times as they come.
#
#   two_windows_test.sh PROGRAM          (PROGRAM: kestrelwick_two_windows)
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work
failures=0

pair() {  # DELAY-OF-THE-FIRST-LOCK-IN-MS SECONDS-BETWEEN-THE-STARTS
    rm -f "$work/done" "$work/first" "$work/second"
    KESTRELWICK_TEST_LOCK_WRITE_DELAY_MS=$1 "$program" "$work/state/boxes.state" "$work/done" \
        >"$work/first" 2>/dev/null &
    local first=$!
    [ "$2" = 0 ] || sleep "$2"
    "$program" "$work/state/boxes.state" "$work/done" >"$work/second" 2>/dev/null &
    local second=$!
    for _ in $(seq 400); do
        [ -s "$work/first" ] && [ -s "$work/second" ] && break
        sleep 0.05
    done
    touch "$work/done"
    wait "$first" "$second"
    local said
    said=$(cat "$work/first" "$work/second" | sort | tr '\n' ' ')
    if [ "$said" != "not saved owns " ]; then
        echo "FAIL: two windows ($1 ms late, $2 s apart) said: $said"
        failures=$((failures + 1))
    fi
}

pair 4000 0.5
for _ in $(seq 50); do
    pair 0 0
done
echo "two windows: $failures failed"
[ "$failures" -eq 0 ]

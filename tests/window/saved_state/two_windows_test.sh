#!/usr/bin/env bash
# Two windows started at the same moment: exactly one keeps the saved work,
# and the other says in its title that it does not. Once with the first
# window's lock written four seconds late (the test's own delay), then fifty
# times as they come; then fifty times each with a dangling link, a link to a
# file and a folder where the lock file should be, which one of the two moves
# aside, and once each with both windows waiting a while after they found it
# there, before the move (the test's own delay). Every time, while both
# windows run, the file at the lock's path is a regular file whose lock is
# held, nothing but the thing found there was moved aside (a live lock file
# renamed would be a regular file among the moved), and a linked file is
# never written.
#
#   two_windows_test.sh PROGRAM          (PROGRAM: kestrelwick_two_windows)
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work
lock=$work/state/boxes.state.lock
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Puts a thing of a kind at the lock's path: none, dangling, link or folder.
place() {
    rm -rf "$work/state"
    mkdir -p "$work/state"
    case $1 in
        dangling) ln -s "$work/state/nowhere" "$lock" ;;
        link)
            printf 'not a lock\n' >"$work/linked"
            ln -s "$work/linked" "$lock"
            ;;
        folder) mkdir "$lock" ;;
    esac
}

# What must hold while both windows run.
check_lock() {  # KIND DESCRIPTION
    if [ -L "$lock" ] || [ ! -f "$lock" ]; then
        fail "$2: no lock file at the lock's path"
    elif flock -n "$lock" true; then
        fail "$2: the file at the lock's path is not locked"
    fi
    local aside count=0
    for aside in "$lock".stale-*; do
        [ -e "$aside" ] || [ -L "$aside" ] || continue
        count=$((count + 1))
        if [ ! -L "$aside" ] && [ -f "$aside" ]; then
            fail "$2: a lock file was moved aside"
        fi
    done
    local expected=1
    [ "$1" = none ] && expected=0
    [ "$count" -eq "$expected" ] || fail "$2: $count things moved aside"
    if [ "$1" = link ] && [ "$(cat "$work/linked")" != "not a lock" ]; then
        fail "$2: the linked file was written"
    fi
}

pair() {  # KIND DELAY-OF-THE-FIRST-LOCK-IN-MS SECONDS-BETWEEN-THE-STARTS DELAY-OF-THE-MOVE-IN-MS
    local what="two windows ($1, $2 ms late, $3 s apart, moving $4 ms late)"
    place "$1"
    rm -f "$work/done" "$work/first" "$work/second"
    KESTRELWICK_TEST_LOCK_WRITE_DELAY_MS=$2 KESTRELWICK_TEST_LOCK_MOVE_DELAY_MS=$4 \
        "$program" "$work/state/boxes.state" "$work/done" >"$work/first" 2>/dev/null &
    local first=$!
    [ "$3" = 0 ] || sleep "$3"
    KESTRELWICK_TEST_LOCK_MOVE_DELAY_MS=$4 \
        "$program" "$work/state/boxes.state" "$work/done" >"$work/second" 2>/dev/null &
    local second=$!
    for _ in $(seq 400); do
        [ -s "$work/first" ] && [ -s "$work/second" ] && break
        sleep 0.05
    done
    check_lock "$1" "$what"
    touch "$work/done"
    wait "$first" "$second"
    local said
    said=$(cat "$work/first" "$work/second" | sort | tr '\n' ' ')
    if [ "$said" != "not saved owns " ]; then
        fail "$what said: $said"
        ls -la "$work/state"  # what each left at the lock's path and beside it
    fi
}

pair none 4000 0.5 0
for _ in $(seq 50); do
    pair none 0 0 0
done
for kind in dangling link folder; do
    pair "$kind" 0 0 300
    for _ in $(seq 50); do
        pair "$kind" 0 0 0
    done
done
echo "two windows: $failures failed"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# Runs the real program from a shell with no display, as a user or a script
# would: help and version, the check of three files with its output, report
# and exit status, and the refusals.
#
#   command_line_test.sh PROGRAM
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# No display of any kind: these answers must not need one.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" \
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

for option in --help -h; do
    run "$option"
    expect_status 0 "$option"
    [[ $(cat "$work/out") == "Usage: kestrelwick"*"--check"* ]] || fail "$option prints no usage"
done
for option in --version -v; do
    run "$option"
    expect_status 0 "$option"
    expect_file "$work/out" "kestrelwick 1.00" "$option"
done

# The dog-training example, written as three different editors save files.
printf 'Dog Training Tips\r\nTraining a dog takes patience.\r\nStart with simple commands like sit and stay.\r\nReward good behaviour every time.\r\n' >"$work/dogs1.txt"
printf '\xef\xbb\xbfTips For Training Dogs\nTeaching a dog needs a lot of patience.\nBegin with easy commands.\nAlways reward good behaviour.\n' >"$work/dogs2.txt"
printf 'How To Train A Dog\rDog training requires patience.\rSimple commands such as sit come first.\rPraise every success.' >"$work/dogs3.txt"
spin='{Dog Training Tips~Tips For Training Dogs~How To Train A Dog}


{Training a dog takes patience.~Teaching a dog needs a lot of patience.~Dog training requires patience.}

{Start with simple commands like sit and stay.~Begin with easy commands.~Simple commands such as sit come first.}

{Reward good behaviour every time.~Always reward good behaviour.~Praise every success.}'
report='Words: 21
Words: 20
Words: 19
Minimum words: 7
Minimum length = 7 words'
run --check "$work/dogs1.txt" "$work/dogs2.txt" "$work/dogs3.txt"
expect_status 0 "the worked example"
expect_file "$work/out" "$spin" "the spin text"
[[ $(tail -c 2 "$work/out" | od -An -tx1) == " 0a 0a" ]] ||
    fail "the spin text does not end in two LF"
[[ $(cat "$work/out") == *$'\r'* ]] && fail "the spin text holds CR"
expect_file "$work/err" "$report" "the report"

# Standard input for one file; the same result.
stdin="$work/dogs2.txt" run --check "$work/dogs1.txt" - "$work/dogs3.txt"
expect_status 0 "article 2 from standard input"
expect_file "$work/out" "$spin" "the spin text with standard input"

# Notes: status 1, and the notes after the report.
printf 'Tea\nA cup\n' >"$work/tea1.txt"
printf 'Tea\nA mug\n' >"$work/tea2.txt"
printf '\x93Coffee\x94\nA glass\n' >"$work/tea3.txt"   # Windows-1252 quotes
run --check "$work/tea1.txt" "$work/tea2.txt" "$work/tea3.txt"
expect_status 1 "a check with notes"
expect_file "$work/out" $'{Tea~Tea~\u201cCoffee\u201d}\n\n\n{A cup~A mug~A glass}' "the spin text with notes"
expect_file "$work/err" 'Words: 3
Words: 3
Words: 3
Minimum words: 0
Minimum length = 0 words
Articles 1 and 2 give the same wording of paragraph 1.' "the report with notes"

# An empty file is an empty article.
: >"$work/empty.txt"
run --check "$work/dogs1.txt" "$work/dogs2.txt" "$work/empty.txt"
expect_status 1 "an empty third file"
[ -s "$work/out" ] && fail "an empty third file: something to spin"
grep -qx 'Article 3 is empty, so there is nothing to spin.' "$work/err" ||
    fail "an empty third file: $(cat "$work/err")"

# Trouble: status 2, a message naming the problem, nothing on standard output.
printf 'a\0b' >"$work/binary.dat"
for case in "missing|$work/dogs1.txt|$work/nothing.txt|$work/dogs3.txt|no such file" \
    "binary|$work/dogs1.txt|$work/binary.dat|$work/dogs3.txt|not a text file" \
    "folder|$work|$work/dogs2.txt|$work/dogs3.txt|it is a folder"; do
    IFS='|' read -r name one two three why <<<"$case"
    run --check "$one" "$two" "$three"
    expect_status 2 "$name file"
    [ -s "$work/out" ] && fail "$name file: something on standard output"
    grep -qF "$why" "$work/err" || fail "$name file: the message does not say '$why'"
done
run --check "$work/dogs1.txt" "$work/dogs2.txt"
expect_status 2 "two files"
grep -q 'takes three files' "$work/err" || fail "two files: $(cat "$work/err")"
run --check - - "$work/dogs3.txt"
expect_status 2 "standard input twice"
run --frobnicate
expect_status 2 "an unknown option"
grep -q "Unknown option 'frobnicate'" "$work/err" || fail "unknown option: $(cat "$work/err")"

# The window with no display to open on: a message saying what to do instead,
# before Qt is asked for a window, with or without files.
no_display='kestrelwick: no display to open the window on. To check files without a window: kestrelwick --check FILE1 FILE2 FILE3'
run
expect_status 2 "the window without a display"
expect_file "$work/err" "$no_display" "the window without a display"
run "$work/dogs1.txt" "$work/dogs2.txt" "$work/dogs3.txt" "$work/tea1.txt"
expect_status 2 "four files for the window without a display"
expect_file "$work/err" "$no_display" "four files for the window without a display"
[ -s "$work/out" ] && fail "the window without a display: something on standard output"

echo "command line: $failures failed"
[ "$failures" -eq 0 ]

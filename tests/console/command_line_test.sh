#!/usr/bin/env bash
# Runs the real program from a shell with no display, as a user or a script
# would: help and version, the check of three files with its output, report
# and exit status, and the refusals.
#
#   command_line_test.sh PROGRAM
set -uo pipefail
program=$1
source "$(dirname "$0")/console_test.sh"

for option in --help -h; do
    run "$option"
    expect_status 0 "$option"
    [[ $(cat "$work/out") == "Usage: kestrelwick"*"--check"*"--by B"* ]] || fail "$option prints no usage"
done
for option in --version -v; do
    run "$option"
    expect_status 0 "$option"
    expect_file "$work/out" "kestrelwick 1.00" "$option"
done

# The dog-training example, written as three different editors save files.
sample_article 1 crlf >"$work/dogs1.txt"
sample_article 2 bom-lf >"$work/dogs2.txt"
sample_article 3 cr >"$work/dogs3.txt"
spin=$(cat "$KESTRELWICK_SAMPLE_DIR/dogs-spin.txt")
report=$(cat "$KESTRELWICK_SAMPLE_DIR/dogs-report.txt")
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
The spin text gives 6 different articles; two of them share on average 44 % of their runs of four words.
Articles 1 and 2 give the same wording of paragraph 1.' "the report with notes"

# The pipe format: the same spin text with | between the versions, and the
# note on spin marks naming |.
run --check --format pipe "$work/dogs1.txt" "$work/dogs2.txt" "$work/dogs3.txt"
expect_status 0 "the pipe format"
expect_file "$work/out" "$(tr '~' '|' <<<"$spin")" "the spin text in the pipe format"
expect_file "$work/err" "$report" "the report in the pipe format"
printf 'T\nA | B\n' >"$work/piped.txt"
run --check --format pipe "$work/dogs1.txt" "$work/dogs2.txt" "$work/piped.txt"
expect_status 1 "a | in the pipe format"
grep -qx 'Article 3: paragraph 2 contains {, } or |, which break the spin text.' "$work/err" ||
    fail "a | in the pipe format: $(cat "$work/err")"
# By sentence: where a paragraph's versions have as many sentences each, one
# group per sentence on the paragraph's line; the others stay whole and are
# named, with status 1. The cycling example in full; the bakery example's
# note and lines; where every paragraph is one sentence, as by paragraph.
examples="$(dirname "$0")/../../docs/examples"
run --check --by sentence "$examples"/cycling-{1,2,3}.txt
expect_status 1 "the cycling example by sentence"
expect_file "$work/out" '{Cycling To Work Without The Sweat~Ride To The Office And Stay Fresh~The Fresh Commuter'"'"'s Guide To Cycling}


{Riding to work saves money and clears the head.~Commuting by bike cuts costs and lifts your mood.~A bike commute is cheaper than a train ticket and better for your mind.} {The trick is to arrive looking as if you took the bus.~The real skill is turning up at your desk looking calm and dry.~You just need to reach the office without a drop of sweat.}

{Plan a route on quiet streets, e.g. along the canal or through the park.~Choose back roads with little traffic, i.e. the ones delivery vans avoid.~Pick quiet streets for your route (the canal path works well).} {Allow ten minutes more than the map suggests.~Add ten minutes to whatever your phone predicts.~Expect the trip to take ten minutes longer than planned.} {The first week always takes longer.~Early rides are always slower than you expect.~Nobody rides their fastest in the first week.}

{Keep the pace gentle, around 15 km an hour.~Ride at an easy 15 km per hour or so.~Cruise at 15.5 km an hour at most.} {You will barely sweat at that speed.~At that speed your body stays cool.~Your body can shed heat at that rate.} {Save the racing for Sunday.~Sprinting can wait for the weekend.~Leave the hard efforts to your weekend club ride.}

{Carry your clothes in a pannier rather than a backpack. A bag on your back traps heat against your shirt.~Pack a change of clothes in a bag that clips onto the rack, because a backpack presses against you and leaves a damp patch on your shirt.~Let the bike carry your spare clothes instead of your shoulders. A rack bag keeps air moving over your back. Your shirt stays dry.}

{Dr. Hill, a GP who rides every day, puts it simply: "Start slow, and the habit will stick."~As Dr. Hill, a doctor who cycles daily, says: "Go easy at first and the routine looks after itself."~"Take it slowly and the habit builds itself," says Dr. Hill, who rides to her surgery each morning.} {Most people who try it for a month never go back.~Hardly anyone who keeps it up for four weeks returns to the car.~After a month, very few riders want to drive again.}' "the cycling spin text by sentence"
expect_file "$work/err" 'Words: 125
Words: 139
Words: 138
Minimum words: 93
Minimum length = 93 words
By paragraph the minimum would be 97 words: an article spun by sentence can take the shortest version of every sentence.
The spin text gives 531441 different articles; two of them share on average 33 % of their runs of four words.
Paragraph 5 keeps one group: its versions have 2, 1 and 3 sentences.' "the cycling report by sentence"
run --check --by sentence --format pipe "$examples"/bakery-{1,2,3}.txt
expect_status 1 "the bakery example by sentence"
grep -qx 'Paragraph 5 keeps one group: its versions have 2, 3 and 2 sentences.' "$work/err" ||
    fail "the bakery example by sentence: $(cat "$work/err")"
grep -q '^The spin text gives 1594323 different articles' "$work/err" ||
    fail "the bakery example's 3^13 articles: $(cat "$work/err")"
[ "$(grep -c '} {' "$work/out")" -eq 4 ] || fail "the bakery example: $(grep -c '} {' "$work/out") lines of sentences, not 4"
run --check --by paragraph "$examples"/bakery-{1,2,3}.txt
expect_status 0 "the bakery example by paragraph"
for example in "$examples/garden" "$KESTRELWICK_SAMPLE_DIR/dogs"; do
    run --check "$example"-{1,2,3}.txt
    mv "$work/out" "$work/paragraph.out"
    mv "$work/err" "$work/paragraph.err"
    paragraph_status=$status
    run --check --by sentence "$example"-{1,2,3}.txt
    expect_status "$paragraph_status" "$(basename "$example") by sentence"
    cmp -s "$work/out" "$work/paragraph.out" && cmp -s "$work/err" "$work/paragraph.err" ||
        fail "$(basename "$example"), one sentence a paragraph, differs by sentence"
done

for bad in "--format xml|--format takes ama or pipe, not \"xml\"." \
    "--format pipe $work/dogs1.txt|--format goes with --check or --spin." \
    "--by word --check a b c|--by takes paragraph or sentence, not \"word\"." \
    "--by sentence $work/dogs1.txt|--by goes with --check." \
    "--spin --seed 12x|--seed takes a whole number from 0 to 18446744073709551615, not \"12x\"." \
    "--seed 3|--seed goes with --spin." \
    "--spin --check|--check and --spin go one at a time." \
    "--spin $work/dogs1.txt $work/dogs2.txt|--spin takes one file, not 2." \
    "--spin --count 0 --out $work/b|--count takes a whole number from 1 to 10000, not \"0\": a batch is at most 10000 articles: every pair of them is measured, and each is a file of its own." \
    "--count 3 --out $work/b|--count and --out go with --spin." \
    "--spin --count 3|--count and --out go together: how many articles, and the folder to write them to." \
    "--spin --max-share 20|--max-share goes with --count." \
    "--spin --count 3 --out $work/b --max-share 101|--max-share takes a whole percent from 0 to 100, not \"101\"."; do
    IFS='|' read -r arguments said <<<"$bad"
    read -r -a words <<<"$arguments"
    run "${words[@]}"
    expect_status 2 "$arguments"
    [[ $(head -n 1 "$work/err") == "kestrelwick: $said" ]] || fail "$arguments: $(cat "$work/err")"
done

# One spun article: the same seed gives the same article, one version of
# every group, the text between the groups kept.
printf '%s\n' "$spin" >"$work/spin.txt"
run --spin --seed 11 "$work/spin.txt"
expect_status 0 "a spun article"
cp "$work/out" "$work/spun"
stdin="$work/spin.txt" run --spin --seed 11 -
expect_status 0 "a spun article from standard input"
cmp -s "$work/out" "$work/spun" || fail "the same seed gave another article"
titles=0
for title in "Dog Training Tips" "Tips For Training Dogs" "How To Train A Dog"; do
    for seed in 1 2 3 4 5 6 7 8 9 10 11 12; do
        run --spin --seed "$seed" "$work/spin.txt"
        if [ "$(head -n 1 "$work/out")" = "$title" ]; then
            titles=$((titles + 1))
            break
        fi
    done
done
[ "$titles" -eq 3 ] || fail "twelve seeds gave $titles of the three titles"
[ "$(sed -n 2,3p "$work/out")" = "" ] || fail "the line breaks after the title were not kept"
tr '~' '|' <"$work/spin.txt" >"$work/pipe.txt"
run --spin --format pipe --seed 11 "$work/pipe.txt"
cmp -s "$work/out" "$work/spun" || fail "the pipe format spun another article from one seed"
# Without --format the text's own format is found; a text whose groups hold
# both separators is spun in the format given (AMA without one) with a
# warning that says where; --format is obeyed.
run --spin --seed 11 "$work/pipe.txt"
cmp -s "$work/out" "$work/spun" || fail "a pipe spin text without --format: $(head -n 1 "$work/out")"
[ -s "$work/err" ] && fail "a pipe spin text without --format: $(cat "$work/err")"
printf 'x {a~b} y\n\U1F600 {c|d}\n' >"$work/mixed.txt"
for format in "" ama pipe; do
    run --spin --seed 1 ${format:+--format $format} "$work/mixed.txt"
    expect_status 0 "a mixed spin text (${format:-no format})"
    case $format in
    pipe) kept='a~b' other='~' name='the pipe format' place='line 1, column 3' ;;
    *) kept='c|d' other='|' name='AMA format' place='line 2, column 3' ;;
    esac
    [[ $(cat "$work/out") == *"$kept"* ]] || fail "a mixed spin text in ${format:-no format}: $(cat "$work/out")"
    expect_file "$work/err" "kestrelwick: warning: the spin text's groups hold both ~ and |: it is spun in $name, in which $other is plain text (the first group with a $other is at $place)." "the warning on a mixed spin text"
done

# Without a window there is no limit on a paragraph's length: three
# versions of a paragraph of 120,000 characters make a group of more than
# 360,000, and spinning it gives one version back whole.
longest() { awk '{ if (length($0) > most) most = length($0) } END { print most + 0 }' "$1"; }
for k in 1 2 3; do
    { printf 'Title\n'; yes "word$k" | head -n 20000 | tr '\n' ' '; } >"$work/long$k.txt"
done
run --check "$work/long1.txt" "$work/long2.txt" "$work/long3.txt"
[ "$status" -lt 2 ] || fail "a check of long paragraphs: status $status ($(cat "$work/err"))"
[ "$(longest "$work/out")" -gt 360000 ] || fail "a check of long paragraphs: $(longest "$work/out")"
cp "$work/out" "$work/long-spin.txt"
run --spin --seed 3 "$work/long-spin.txt"
expect_status 0 "a spun article of long paragraphs"
[ "$(longest "$work/out")" -ge 119999 ] || fail "a spun long paragraph: $(longest "$work/out")"

printf '{a~b}\nx {c~d\n' >"$work/broken.txt"
run --spin "$work/broken.txt"
expect_status 2 "a broken group"
[ -s "$work/out" ] && fail "a broken group: something on standard output"
expect_file "$work/err" "kestrelwick: the spin text in \"$work/broken.txt\" cannot be spun: line 2, column 3: a { has no } to close it." "a broken group"

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
if [ -z "$windows" ]; then
# Names as the shell gives them: bytes that are not UTF-8 still name the file.
cp "$work/dogs1.txt" "$work/bad"$'\xff'"name.txt"
run --check "$work/bad"$'\xff'"name.txt" "$work/dogs2.txt" "$work/dogs3.txt"
expect_status 0 "a file name that is not UTF-8"
expect_file "$work/out" "$spin" "the spin text from a file name that is not UTF-8"

# Links that lead nowhere say so.
ln -s "$work/loop-b" "$work/loop-a"
ln -s "$work/loop-a" "$work/loop-b"
ln -s "$work/nowhere.txt" "$work/dangling"
run --check "$work/loop-a" "$work/dogs2.txt" "$work/dogs3.txt"
expect_status 2 "a link in a loop"
expect_file "$work/err" "kestrelwick: Cannot read \"$work/loop-a\": it is a link that leads round in a loop." "a link in a loop"
run --check "$work/dangling" "$work/dogs2.txt" "$work/dogs3.txt"
expect_status 2 "a dangling link"
expect_file "$work/err" "kestrelwick: Cannot read \"$work/dangling\": it is a link to a file that does not exist." "a dangling link"

# A read that fails is refused, never taken for the end of an article.
run --check /proc/self/mem "$work/dogs2.txt" "$work/dogs3.txt"
expect_status 2 "a file that fails to read"
expect_file "$work/err" 'kestrelwick: Cannot read "/proc/self/mem": input/output error.' "a file that fails to read"
stdin="$work" run --check - "$work/dogs2.txt" "$work/dogs3.txt"
expect_status 2 "a folder on standard input"
expect_file "$work/err" 'kestrelwick: Cannot read "standard input": is a directory.' "a folder on standard input"
env -u DISPLAY "${launch[@]}" --check - "$work/dogs2.txt" "$work/dogs3.txt" >"$work/out" 2>"$work/err" <&-
status=$?
expect_status 2 "standard input closed"
expect_file "$work/err" 'kestrelwick: Cannot read "standard input": bad file descriptor.' "standard input closed"
fi

# A mark that promises UTF-8 over bytes that are not is refused.
printf '\xef\xbb\xbfCaf\xe9\n' >"$work/marked.txt"
run --check "$work/marked.txt" "$work/dogs2.txt" "$work/dogs3.txt"
expect_status 2 "a UTF-8 mark over other bytes"
grep -qF 'starts with a UTF-8 byte-order mark, but its text is not valid UTF-8' "$work/err" ||
    fail "a UTF-8 mark over other bytes: $(cat "$work/err")"

# A lone surrogate in a UTF-16 file comes out as U+FFFD.
printf '\xff\xfeT\0\n\0a\0\x00\xd8b\0' >"$work/lone.txt"
run --check "$work/lone.txt" "$work/lone.txt" "$work/lone.txt"
expect_file "$work/out" $'{T~T~T}\n\n\n{a\ufffdb~a\ufffdb~a\ufffdb}' "a lone surrogate"

if [ -z "$windows" ]; then
# Output that cannot be written in full: a message and status 2, never 0.
cant_write() {  # WHAT EXPECTED-REASON
    expect_status 2 "$1"
    expect_file "$work/err" "kestrelwick: cannot write the spin text: $2" "$1"
}
env -u DISPLAY "${launch[@]}" --check "$work/dogs1.txt" "$work/dogs2.txt" "$work/dogs3.txt" \
    >/dev/full 2>"$work/err"
status=$?
cant_write "a full disk" "no space left on device"
env -u DISPLAY "${launch[@]}" --check "$work/dogs1.txt" "$work/dogs2.txt" "$work/dogs3.txt" \
    >&- 2>"$work/err"
status=$?
cant_write "standard output closed" "bad file descriptor"
# A reader that stops early: the write fails and says so, whether SIGPIPE is
# ignored or at its default.
for _ in $(seq 4000); do printf 'word %.0s' 1 2 3 4 5 6 7 8; done >"$work/long.txt"
(
    trap '' PIPE
    env -u DISPLAY "${launch[@]}" --check "$work/long.txt" "$work/long.txt" "$work/long.txt" \
        2>"$work/err" | head -c 5 >/dev/null
    exit "${PIPESTATUS[0]}"
)
status=$?
cant_write "a reader that stops early" "broken pipe"
env -u DISPLAY "${launch[@]}" --check "$work/long.txt" "$work/long.txt" "$work/long.txt" \
    2>"$work/err" | head -c 5 >/dev/null
status=${PIPESTATUS[0]}
cant_write "a reader that stops early, SIGPIPE at its default" "broken pipe"

# A FIFO named as an article is refused at once, not waited on.
mkfifo "$work/fifo"
timeout 10 env -u DISPLAY "${launch[@]}" --check "$work/fifo" "$work/dogs2.txt" "$work/dogs3.txt" \
    >"$work/out" 2>"$work/err"
status=$?
expect_status 2 "a FIFO as an article"
expect_file "$work/err" "kestrelwick: Cannot read \"$work/fifo\": it is not a regular file (a pipe or a device)." "a FIFO as an article"

# Out of memory: a message and status 2. The address-space limit cannot be
# set under AddressSanitizer, which reserves far more at start. (grep reads
# all that ldd writes: with -q it would stop early, and ldd's broken pipe
# would fail the test under pipefail.)
if ! ldd "$program" | grep libasan >/dev/null; then
    for _ in $(seq 60); do cat "$work/long.txt"; done >"$work/longer.txt"  # 9.6 MB
    (
        ulimit -v 200000
        "${launch[@]}" --version >/dev/null || exit 100  # the program itself fits
        env -u DISPLAY "${launch[@]}" --check "$work/longer.txt" "$work/longer.txt" \
            "$work/longer.txt" >"$work/out" 2>"$work/err"
    )
    status=$?
    expect_status 2 "too little memory"
    expect_file "$work/err" "kestrelwick: not enough memory to check these articles" "too little memory"
fi
fi

run --check "$work/dogs1.txt" "$work/dogs2.txt"
expect_status 2 "two files"
grep -q 'takes three files' "$work/err" || fail "two files: $(cat "$work/err")"
run --check - - "$work/dogs3.txt"
expect_status 2 "standard input twice"
run --frobnicate
expect_status 2 "an unknown option"
grep -q "Unknown option 'frobnicate'" "$work/err" || fail "unknown option: $(cat "$work/err")"

if [ -z "$windows" ]; then
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
fi

echo "command line: $failures failed"
[ "$failures" -eq 0 ]

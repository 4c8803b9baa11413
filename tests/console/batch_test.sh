#!/usr/bin/env bash
# A batch of spun articles written from the command line, as a user or a
# script writes one: the files and their record, the line on standard error,
# the articles you wrote kept apart, the same batch from the same seed, the
# refusals, and a batch stopped by a signal or killed, which leaves nothing.
#
#   batch_test.sh PROGRAM
set -uo pipefail
program=$1
source "$(dirname "$0")/console_test.sh"

cp "$KESTRELWICK_SAMPLE_DIR/dogs-spin.txt" "$work/spin.txt"
line='^12 articles: any two share at most [0-9]+ % of their runs of four words, on average [0-9]+ %; with the three you wrote at most [0-9]+ %\. Seed 5\.$'
# Article K that you wrote: the K-th version of every group.
written() {
    awk -v k="$1" '$0 == "" { print ""; next }
        { n = split(substr($0, 2, length($0) - 2), v, "~"); print v[k <= n ? k : n] }' "$work/spin.txt"
}
for k in 1 2 3; do written "$k" >"$work/written-$k"; done

run --spin --count 12 --out "$work/batch" --seed 5 "$work/spin.txt"
expect_status 0 "a batch of twelve"
expect_file <(cd "$work/batch" && ls | tr '\n' ' ') "$(printf 'article-%02d.txt ' $(seq 12))shares.csv " "the batch's names"
[[ $(cat "$work/err") =~ $line ]] || fail "the batch's line: $(cat "$work/err")"
[ "$(md5sum "$work/batch"/article-* | cut -d' ' -f1 | sort -u | wc -l)" -eq 12 ] ||
    fail "two articles of the batch are the same"
for article in "$work/batch"/article-*; do
    # Line for line, each line of an article is one of the versions on the
    # same line of the spin text, and no article is one you wrote.
    paste -d '\t' "$work/spin.txt" "$article" | awk -F '\t' '
        $1 == "" { if ($2 != "") bad = 1; next }
        { n = split(substr($1, 2, length($1) - 2), versions, "~"); ok = 0
          for (i = 1; i <= n; i++) if (versions[i] == $2) ok = 1
          if (!ok) bad = 1 }
        END { exit bad }' || fail "$(basename "$article") is no article of the spin text"
    for k in 1 2 3; do
        cmp -s <(sed '/^$/d' "$article") <(sed '/^$/d' "$work/written-$k") &&
            fail "$(basename "$article") is the article you wrote as number $k"
    done
done
# The record: a row for each article, its highest share and with whom, and
# its share with each article you wrote.
expect_file <(head -n 1 "$work/batch/shares.csv") "file,highest share %,shared most with,written 1 %,written 2 %,written 3 %" "shares.csv's columns"
awk -F, 'NR > 1 && !($1 ~ /^article-[0-9][0-9]\.txt$/ && $2 ~ /^[0-9]+$/ && $3 ~ /^article-/ && NF == 6) { bad = 1 }
    END { exit bad || NR != 13 }' "$work/batch/shares.csv" || fail "shares.csv: $(cat "$work/batch/shares.csv")"
highest=$(sed -E 's/.*at most ([0-9]+) % of their.*/\1/' "$work/err")
[ "$(cut -d, -f2 "$work/batch/shares.csv" | tail -n +2 | sort -n | tail -n 1)" = "$highest" ] ||
    fail "shares.csv's highest share is not the line's"

# The seed in the line makes the same batch, from standard input too.
stdin="$work/spin.txt" run --spin --count 12 --out "$work/again" --seed 5 -
expect_status 0 "a batch from standard input"
diff -r "$work/batch" "$work/again" >/dev/null || fail "the same seed gave another batch"
tr '~' '|' <"$work/spin.txt" >"$work/pipe.txt"
run --spin --count 3 --out "$work/pipes" --seed 5 "$work/pipe.txt"
expect_status 0 "a batch of the pipe format"
grep -q '[|~]' "$work/pipes"/article-* && fail "a batch of the pipe format holds separators"

# Refusals: nothing written, status 2.
for taken in article-2.txt shares.csv; do
    rm -rf "$work/taken" && mkdir "$work/taken" && : >"$work/taken/$taken"
    run --spin --count 3 --out "$work/taken" "$work/spin.txt"
    expect_status 2 "a batch over $taken"
    [[ $(cat "$work/err") == "kestrelwick: \""*"$taken\" is there already. Nothing was written, so that no file is overwritten." ]] ||
        fail "a batch over $taken: $(cat "$work/err")"
    [ "$(ls "$work/taken")" = "$taken" ] || fail "a batch over $taken wrote $(ls "$work/taken")"
done
for case in "82|the spin text gives only 81 different articles, fewer than the 82 asked for.|--with-written" \
    "79|the spin text gives only 81 different articles, and 3 of them are the articles you wrote: 78 are left, fewer than the 79 asked for.|"; do
    IFS='|' read -r count said option <<<"$case"
    run --spin --count "$count" --out "$work/many" $option "$work/spin.txt"
    expect_status 2 "a batch of $count"
    expect_file "$work/err" "kestrelwick: $said" "a batch of $count"
    [ -e "$work/many" ] && fail "a batch too large made its folder"
done
run --spin --count 79 --with-written --out "$work/all79" --seed 1 "$work/spin.txt"
expect_status 0 "79 articles with the articles you wrote"
[[ $(cat "$work/err") == "79 articles: any two share at most "*" %. Seed 1." && $(cat "$work/err") != *"you wrote"* ]] ||
    fail "the line of a batch that takes the articles you wrote: $(cat "$work/err")"
: >"$work/empty.txt"
run --spin --count 1 --out "$work/empty" "$work/empty.txt"
expect_status 2 "an empty spin text"
expect_file "$work/err" "kestrelwick: the spin text in \"$work/empty.txt\" is empty: there is nothing to spin." "an empty spin text"
[ -e "$work/empty" ] && fail "an empty spin text made its folder"
run --spin --count 10001 --out "$work/huge" "$work/spin.txt"
expect_status 2 "a count beyond the bound"
[[ $(head -n 1 "$work/err") == 'kestrelwick: --count takes a whole number from 1 to 10000, not "10001": a batch is at most 10000 articles: every pair of them is measured, and each is a file of its own.' ]] ||
    fail "a count beyond the bound: $(cat "$work/err")"
run --spin --count 3 --out "$work/spin.txt" "$work/spin.txt"
expect_status 2 "a batch into a file"
[[ $(cat "$work/err") == *"spin.txt\" is a file where a folder should be." ]] || fail "a batch into a file: $(cat "$work/err")"

# Four groups of three wholly different versions: nine articles within 25 %,
# the least there can be, where the articles you wrote may be taken; none
# where they may not, as every article shares half its groups with them.
printf '{a1 a2 a3 a4~b1 b2 b3 b4~c1 c2 c3 c4}\n' >"$work/group.txt"
for g in 2 3 4; do sed "s/\([abc]\)\([0-9]\)/\1$g\2/g" "$work/group.txt"; done >"$work/groups.txt"
cat "$work/group.txt" >>"$work/groups.txt"
run --spin --count 81 --max-share 25 --with-written --out "$work/limited" --seed 3 "$work/groups.txt"
expect_status 0 "a batch with a share limit"
expect_file "$work/err" "9 articles: any two share at most 25 % of their runs of four words, on average 25 %. Seed 3." "nine articles within 25 %"
[ "$(ls "$work/limited" | wc -l)" -eq 10 ] || fail "a share limit wrote $(ls "$work/limited")"
run --spin --count 78 --max-share 25 --out "$work/none" "$work/groups.txt"
expect_status 2 "a share limit no article keeps"
expect_file "$work/err" "kestrelwick: no article the spin text gives shares at most 25 % of its runs of four words with each of the three articles you wrote, so none was written." "a share limit no article keeps"

if [ -z "$windows" ]; then
# Stopped by a signal while its files are written: nothing left, the folder
# it made gone, a message, and the signal's status.
for k in 1 2 3; do yes "word$k other$k" | head -n 60000 | tr '\n' ' ' >"$work/v$k"; done
for g in $(seq 4); do printf '{%s~%s~%s}\n\n' "$(cat "$work/v1")" "$(cat "$work/v2")" "$(cat "$work/v3")"; done >"$work/big.txt"
for signal in INT TERM HUP; do
    rm -rf "$work/stopped"
    # Started with every signal at its default, as from a terminal.
    python3 -c 'import os, signal, sys
signal.signal(signal.SIGINT, signal.SIG_DFL)
os.execvp(sys.argv[1], sys.argv[1:])' "${launch[@]}" --spin --count 20 --out "$work/stopped/in" \
        --seed 1 "$work/big.txt" 2>"$work/err" &
    pid=$!
    for wait in $(seq 400); do
        compgen -G "$work/stopped/in/*.new-*" >/dev/null && break
        sleep 0.05
    done
    kill -s "$signal" "$pid"
    { wait "$pid"; } 2>/dev/null
    status=$?
    expect_status $((128 + $(kill -l "$signal"))) "a batch stopped by SIG$signal"
    expect_file "$work/err" "kestrelwick: stopped by SIG$signal: the batch was not written, and nothing of it is left in \"$work/stopped/in\"." "a batch stopped by SIG$signal"
    [ -e "$work/stopped" ] && fail "a batch stopped by SIG$signal left $(find "$work/stopped")"
done

# What a killed batch left is removed by the next one, which names it; a
# new file of a writer still at work, or of another name, stays.
mkdir "$work/killed"
: >"$work/killed/article-1.txt.new-999999999-0a1b2c3d"
: >"$work/killed/shares.csv.new-999999998-0a1b2c3e"
: >"$work/killed/notes.txt.new-999999999-0a1b2c3d"
: >"$work/killed/article-2.txt.new-$$-0a1b2c3f"
run --spin --count 3 --out "$work/killed" --seed 1 "$work/spin.txt"
expect_status 0 "a batch where a killed one was"
[[ $(cat "$work/err") == *". Seed 1. Removed 2 files that a stopped batch left there: "*"article-1.txt.new-999999999-0a1b2c3d"*"shares.csv.new-999999998-0a1b2c3e"*"." ]] ||
    fail "the leftovers a batch removed: $(cat "$work/err")"
[ -e "$work/killed/notes.txt.new-999999999-0a1b2c3d" ] && [ -e "$work/killed/article-2.txt.new-$$-0a1b2c3f" ] ||
    fail "a batch removed a file that was not a stopped batch's"

# --out where something other than a folder stands, named for what it is.
mkfifo "$work/fifo"
ln -s "$work/nowhere" "$work/dangling"
for case in "fifo|a FIFO (a named pipe)" "dangling|a link that leads nowhere"; do
    IFS='|' read -r name what <<<"$case"
    run --spin --count 3 --out "$work/$name" "$work/spin.txt"
    expect_status 2 "a batch into $what"
    [[ $(cat "$work/err") == *"$name\" is $what where a folder should be." ]] || fail "a batch into $what: $(cat "$work/err")"
done
fi

echo "batch: $failures failed"
[ "$failures" -eq 0 ]

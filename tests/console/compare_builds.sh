#!/usr/bin/env bash
# Compares what two builds of kestrelwick give for --check, --spin and a batch
# of spun articles: the same standard output, standard error, exit status and
# files written, byte for byte, on the example articles, on every input of the
# fuzz corpus (each cut into its three articles and written as UTF-16 files,
# so that every code unit reaches the program; its spin text, as the old
# build writes it in each format, then spun with a seed and written as a
# batch), and on the command lines that refuse.
#
#   tests/console/compare_builds.sh OLD NEW [CORPUS...]
#
# For a change that must leave behaviour as it was: build the commit before
# it, then compare. CORPUS folders default to tests/fuzz/corpus.
set -euo pipefail
old=$1
new=$2
shift 2
here=$(cd "$(dirname "$0")/../.." && pwd)
corpora=("$@")
[ ${#corpora[@]} -gt 0 ] || corpora=("$here/tests/fuzz/corpus")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

compared=0
differed=0
# Runs both builds with the same arguments and standard input. An argument
# OUT stands for a folder of each build's own, whose files are compared too
# (the messages name it, so it has the same name for both).
compare() {
    local name=$1 input=$2
    shift 2
    local status_old=0 status_new=0 build
    for build in old new; do
        rm -rf "$work/OUT"
        local program=$old status=0
        [ "$build" = new ] && program=$new
        "$program" "${@/#OUT/$work/OUT}" <"$input" >"$work/$build.out" 2>"$work/$build.err" || status=$?
        eval "status_$build=$status"
        if [ -d "$work/OUT" ]; then
            (cd "$work" && find OUT -type f | sort | xargs -r md5sum) >"$work/$build.files"
        else
            : >"$work/$build.files"
        fi
    done
    compared=$((compared + 1))
    if [ "$status_old" != "$status_new" ] || ! cmp -s "$work/old.out" "$work/new.out" ||
        ! cmp -s "$work/old.err" "$work/new.err" || ! cmp -s "$work/old.files" "$work/new.files"; then
        differed=$((differed + 1))
        echo "DIFFERS: $name (status $status_old, now $status_new)"
        diff <(cat "$work/old.err") <(cat "$work/new.err") | head -n 5 || true
    fi
}

examples="$here/docs/examples"
compare "examples" /dev/null --check "$examples/garden-1.txt" "$examples/garden-2.txt" \
    "$examples/garden-3.txt"
compare "examples, third from standard input" "$examples/garden-3.txt" --check \
    "$examples/garden-1.txt" "$examples/garden-2.txt" -
compare "examples in another order" /dev/null --check "$examples/garden-3.txt" \
    "$examples/garden-1.txt" "$examples/garden-2.txt"
compare "a missing file" /dev/null --check "$examples/garden-1.txt" "$work/missing" -
compare "a folder" /dev/null --check "$examples" "$examples/garden-1.txt" -
compare "two files" /dev/null --check "$examples/garden-1.txt" -
compare "standard input twice" /dev/null --check - - "$examples/garden-1.txt"
compare "empty articles" /dev/null --check /dev/null /dev/null /dev/null

# The corpus: each input cut into three texts at the first two 0xFFFF units,
# as the fuzz target cuts it.
python3 - "$work/cut" "${corpora[@]}" <<'PY'
import os, sys
out = sys.argv[1]
os.makedirs(out)
n = 0
for folder in sys.argv[2:]:
    for name in sorted(os.listdir(folder)):
        data = open(os.path.join(folder, name), "rb").read()
        units = [data[i:i + 2] for i in range(0, len(data) - 1, 2)]
        texts, article = [[], [], []], 0
        for unit in units:
            if unit == b"\xff\xff" and article < 2:
                article += 1
                continue
            texts[article].append(unit)
        for k in range(3):
            with open(os.path.join(out, "%05d-%d" % (n, k)), "wb") as f:
                f.write(b"\xff\xfe" + b"".join(texts[k]))
        n += 1
PY
for first in "$work"/cut/*-0; do
    stem=${first%-0}
    compare "corpus input $(basename "$stem")" /dev/null --check "$stem-0" "$stem-1" "$stem-2"
done

# Spin texts in both formats, and mixed ones: one article with a seed, the
# text's own format found and a format given, and a small batch.
compare "the worked example spun" /dev/null --spin --seed 3 "$here/tests/data/dogs-spin.txt"
compare "the worked example, all 81" /dev/null --spin --count 81 --out OUT --seed 3 \
    "$here/tests/data/dogs-spin.txt"
compare "the worked example, a limit" /dev/null --spin --count 81 --max-share 50 --out OUT \
    --seed 3 "$here/tests/data/dogs-spin.txt"
compare "more than it gives" /dev/null --spin --count 82 --out OUT "$here/tests/data/dogs-spin.txt"
printf 'x {a~b} y\n{c|d} {e~f|g}\n' >"$work/mixed.txt"
for format in "" ama pipe; do
    compare "a mixed text ${format:-as found}" /dev/null --spin --seed 9 ${format:+--format $format} \
        "$work/mixed.txt"
    compare "a mixed text's batch ${format:-as found}" /dev/null --spin --count 2 --out OUT \
        --seed 9 ${format:+--format $format} "$work/mixed.txt"
done
compare "a bad format" /dev/null --spin --format hash "$work/mixed.txt"
compare "help" /dev/null --help
spins=0
for first in "$work"/cut/*-0; do
    stem=${first%-0}
    for format in ama pipe; do
        "$old" --check --format "$format" "$stem-0" "$stem-1" "$stem-2" >"$stem.$format" \
            2>/dev/null || true
        compare "corpus spin $(basename "$stem") $format" /dev/null --spin --seed 11 "$stem.$format"
        compare "corpus batch $(basename "$stem") $format" /dev/null --spin --count 4 \
            --out OUT --seed 11 "$stem.$format"
        spins=$((spins + 2))
    done
done
echo "$spins of the comparisons spun a corpus input's spin text"

echo "$((compared - differed)) passed, $differed failed"
[ "$differed" -eq 0 ]

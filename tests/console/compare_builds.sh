#!/usr/bin/env bash
# Compares what two builds of kestrelwick give for --check: the same standard
# output, standard error and exit status, byte for byte, on the example
# articles, on every input of the fuzz corpus (each cut into its three
# articles and written as UTF-16 files, so that every code unit reaches the
# program), and on the command lines that refuse.
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
# Runs both builds with the same arguments and standard input.
compare() {
    local name=$1 input=$2
    shift 2
    local status_old=0 status_new=0
    "$old" "$@" <"$input" >"$work/old.out" 2>"$work/old.err" || status_old=$?
    "$new" "$@" <"$input" >"$work/new.out" 2>"$work/new.err" || status_new=$?
    compared=$((compared + 1))
    if [ "$status_old" != "$status_new" ] || ! cmp -s "$work/old.out" "$work/new.out" ||
        ! cmp -s "$work/old.err" "$work/new.err"; then
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

echo "$((compared - differed)) passed, $differed failed"
[ "$differed" -eq 0 ]

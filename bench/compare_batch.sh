#!/usr/bin/env bash
# Times kestrelwick --spin --count against writing the same bytes with cat,
# file for file: choosing (the engine alone, from kestrelwick_bench), the
# whole command (reading, choosing and writing the files whole), and cat;
# and shows the highest share of the batch chosen beside that of the batch
# drawn at random with the same seed. Then the batch's highest share by
# paragraph and by sentence, side by side, for the same articles written four
# sentences a paragraph.
#
#   bench/compare_batch.sh            (from the repository root)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 >/dev/null
bench=build/bench/bench/kestrelwick_bench
program=build/bench/src/kestrelwick

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Median real time of one benchmark over five repetitions, in milliseconds,
# and the highest shares of its batch and of the random one, in percent.
time_choice() {
    "$bench" --benchmark_filter="^$1\$" --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
        awk -F, -v want="\"$1_median\"" '$1 == want {
            printf "%.1f ms (highest share %d %%, the random batch of the same seed %d %%)", $3, $11, $12 }'
}

# Best of three wall-clock runs of a command, in milliseconds; the command
# gets a fresh folder each time.
best_of_three() {
    local best=""
    for run in 1 2 3; do
        rm -rf "$work/run"
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        local ms=$(((end - start) / 1000000))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "$best"
}

copy_with_cat() {
    mkdir -p "$work/run"
    for file in "$work/batch"/*; do
        cat "$file" >"$work/run/${file##*/}"
    done
}

compare() {  # NAME SPIN-TEXT COUNT BENCHMARK
    local name=$1 spin=$2 count=$3
    rm -rf "$work/batch"
    "$program" --spin --count "$count" --out "$work/batch" --seed 1 "$spin" 2>"$work/summary"
    local bytes
    bytes=$(cat "$work/batch"/* | wc -c)
    echo "$name: $count articles, $bytes bytes"
    echo "  $(cat "$work/summary")"
    echo "  choosing     $(time_choice "$4")"
    echo "  the command  $(best_of_three "$program" --spin --count "$count" --out "$work/run" --seed 1 "$spin") ms (each file flushed to the disk)"
    echo "  cat          $(best_of_three copy_with_cat) ms (one cat a file, not flushed)"
}

for paragraphs in 4000 1000 24; do
    mkdir -p "$work/$paragraphs"
    "$bench" --write-articles "$work/$paragraphs" "$paragraphs"
    "$program" --check "$work/$paragraphs"/article{1,2,3}.txt >"$work/spin-$paragraphs.txt" 2>/dev/null || true
done
compare "3 x 1.7 MB" "$work/spin-4000.txt" 100 "BM_ChooseBatch/4000/100"
compare "3 x 430 KB" "$work/spin-1000.txt" 100 "BM_ChooseBatch/1000/100"
compare "3 x 10 KB" "$work/spin-24.txt" 1000 "BM_ChooseBatch/24/1000"
compare "3 x 10 KB" "$work/spin-24.txt" 2000 "BM_ChooseBatch/24/2000"
compare "3 x 10 KB" "$work/spin-24.txt" 2100 "BM_ChooseBatch/24/2100"
compare "the worked example" tests/data/dogs-spin.txt 78 BM_ChooseBatchWorkedExample

# The same articles spun by paragraph and by sentence: the highest share of
# any two articles of a batch (and the mean over all pairs).
mkdir -p "$work/sentences"
"$bench" --write-articles "$work/sentences" 24 4
for by in paragraph sentence; do
    "$program" --check --by "$by" "$work/sentences"/article{1,2,3}.txt >"$work/spin-$by.txt" 2>/dev/null || true
done
echo "3 x 10 KB, 24 paragraphs of four sentences in every version: highest share (mean)"
printf '  %9s  %-14s %-14s\n' articles "by paragraph" "by sentence"
for count in 10 100 1000; do
    shares=()
    for by in paragraph sentence; do
        rm -rf "$work/batch"
        "$program" --spin --count "$count" --out "$work/batch" --seed 1 "$work/spin-$by.txt" 2>"$work/summary"
        shares+=("$(sed -E 's/.*at most ([0-9]+) %.*average ([0-9]+) %.*/\1 % (\2 %)/' "$work/summary")")
    done
    printf '  %9s  %-14s %-14s\n' "$count" "${shares[0]}" "${shares[1]}"
done

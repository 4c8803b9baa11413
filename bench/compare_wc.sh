#!/usr/bin/env bash
# Times the whole Check Articles action against `wc -w` over the same three
# articles, checks how the time grows with ten times the input, and reports the
# peak memory of one action.
#
#   bench/compare_wc.sh            (from the repository root)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 >/dev/null
bench=build/bench/bench/kestrelwick_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Best of five wall-clock runs of `wc -w` over three files, in milliseconds.
time_wc() {
    local best=""
    for _ in 1 2 3 4 5; do
        local start end
        start=$(date +%s%N)
        LC_ALL=C wc -w "$1"/article1.txt "$1"/article2.txt "$1"/article3.txt >/dev/null
        end=$(date +%s%N)
        local ms=$(((end - start) / 1000))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    awk -v us="$best" 'BEGIN { printf "%.2f", us / 1000 }'
}

# Median real time of one benchmark over five repetitions, in milliseconds.
time_action() {
    "$bench" --benchmark_filter="^$1\$" --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
        awk -F, -v want="\"$1_median\"" '$1 == want { printf "%.2f", $3 }'
}

declare -A action cold
for paragraphs in 4000 40000; do
    mkdir -p "$work/$paragraphs"
    "$bench" --write-articles "$work/$paragraphs" "$paragraphs"
    bytes=$(cat "$work/$paragraphs"/article*.txt | wc -c)
    wc_ms=$(time_wc "$work/$paragraphs")
    action[$paragraphs]=$(time_action "BM_CheckArticles/$paragraphs")
    cold[$paragraphs]=$(time_action "BM_CheckArticlesCold/$paragraphs")
    echo "$paragraphs paragraphs per article, $bytes bytes in all:"
    echo "  Check Articles ${action[$paragraphs]} ms (first touch of memory each click: ${cold[$paragraphs]} ms)"
    echo "  wc -w          $wc_ms ms"
    awk -v a="${action[$paragraphs]}" -v c="${cold[$paragraphs]}" -v w="$wc_ms" \
        'BEGIN { printf "  ratio action / wc -w: %.2f (first touch: %.2f)\n", a / w, c / w }'
    echo "  memory: $("$bench" --peak-memory "$paragraphs")"
    if [ "$paragraphs" = 4000 ]; then
        copied=$(time_action "BM_CheckArticlesCopied/$paragraphs")
        awk -v a="$copied" -v w="$wc_ms" 'BEGIN {
            printf "  article 2 a copy of article 1: %.2f ms, ratio %.2f\n", a, a / w }'
    fi
done
awk -v s="${action[4000]}" -v l="${action[40000]}" -v cs="${cold[4000]}" -v cl="${cold[40000]}" \
    'BEGIN { printf "ten times the input takes %.1f times as long (first touch: %.1f)\n", l / s, cl / cs }'

# The same click in the real window, offscreen, against filling its boxes.
window_bench=build/bench/bench/kestrelwick_bench_window
if [ -x "$window_bench" ]; then
    csv=$("$window_bench" --benchmark_repetitions=7 --benchmark_report_aggregates_only=true \
        --benchmark_format=csv 2>/dev/null)
    fill=$(awk -F, '$1 == "\"BM_FillArticleBoxes_median\"" { print $3 }' <<<"$csv")
    click=$(awk -F, '$1 == "\"BM_CheckArticlesClick_median\"" { print $3 }' <<<"$csv")
    awk -v f="$fill" -v c="$click" 'BEGIN {
        printf "window, 4000 paragraphs per article: filling the boxes %.1f ms, a click %.1f ms (%.2f times)\n", f, c, c / f }'
fi

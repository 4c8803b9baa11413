// Choosing a batch of articles from a spin text: the engine's share of
// kestrelwick --spin --count (bench/compare_batch.sh times the whole command
// and the same bytes written by cat).
//
//   BM_ChooseBatch/4000/100   100 articles from the spin text of three
//                             articles of 4,000 paragraphs (3 x 1.7 MB)
//   BM_ChooseBatch/1000/100   100 from that of 1,000 paragraphs
//   BM_ChooseBatch/24/1000    1,000 from that of 24 paragraphs (3 x 10 KB)
//   BM_ChooseBatch/24/2000    2,000 and 2,100 from it: the last count that
//   BM_ChooseBatch/24/2100    is searched, and past it the code alone
//   BM_ChooseBatchWorkedExample
//                             all 78 articles of the worked example that
//                             are not the written ones
//
// Each reports, beside its time, the highest share of the batch chosen and
// of the batch drawn at random with the same seed (counters "chosen" and
// "random", in percent).

#include <benchmark/benchmark.h>

#include <fstream>
#include <map>
#include <string>
#include <variant>

#include "generated_articles.h"
#include "processing/check_articles.h"
#include "processing/spinning.h"

namespace {

std::u16string spinTextOf(const std::array<std::u16string, 3>& articles) {
    const kestrelwick::CheckResult result =
        kestrelwick::checkArticles({articles[0], articles[1], articles[2]});
    return std::u16string(kestrelwick::writeSpinText(result.spinText));
}

// Reading the groups, counting their runs and choosing: what the command
// does before it writes.
void choose(benchmark::State& state, const std::u16string& text, std::uint64_t count) {
    constexpr std::uint64_t kSeed = 1;
    for (auto _ : state) {
        auto read = kestrelwick::readSpinChoices(text, kestrelwick::SpinFormat::Ama,
                                                 kestrelwick::alternativesToKeep(count));
        const auto& choices = std::get<kestrelwick::SpinChoices>(read);
        const auto runs = kestrelwick::countGroupRuns(choices);
        auto batch = kestrelwick::chooseBatch(choices, runs, {count, {}, kSeed});
        benchmark::DoNotOptimize(batch);
        state.PauseTiming();
        state.counters["chosen"] = batch->shares.highestPercent;
        state.counters["random"] =
            kestrelwick::measureBatch(choices, runs,
                                      kestrelwick::randomBatch(choices, count, kSeed))
                ->shares.highestPercent;
        state.ResumeTiming();
    }
}

void BM_ChooseBatch(benchmark::State& state) {
    // Each length's spin text made once, for all its counts and repetitions.
    static std::map<std::int64_t, std::u16string> texts;
    const std::int64_t paragraphs = state.range(0);
    if (!texts.contains(paragraphs)) {
        texts[paragraphs] = spinTextOf(kestrelwick::bench::generateArticles(paragraphs));
    }
    choose(state, texts[paragraphs], std::uint64_t(state.range(1)));
}
BENCHMARK(BM_ChooseBatch)
    ->Args({4000, 100})
    ->Args({1000, 100})
    ->Args({24, 1000})
    ->Args({24, 2000})
    ->Args({24, 2100})
    ->Unit(benchmark::kMillisecond);

void BM_ChooseBatchWorkedExample(benchmark::State& state) {
    // The worked example's spin text, as the tests keep it.
    static const std::u16string text = [] {
        std::ifstream file(KESTRELWICK_TEST_DATA_DIR "/dogs-spin.txt", std::ios::binary);
        std::u16string spin;
        for (char byte = 0; file.get(byte);) {
            spin += byte == '\n' ? std::u16string(u"\r\n") : std::u16string(1, char16_t(byte));
        }
        return spin;
    }();
    choose(state, text, 78);
}
BENCHMARK(BM_ChooseBatchWorkedExample)->Unit(benchmark::kMillisecond);

}  // namespace

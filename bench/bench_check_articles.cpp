// Speed and memory of the whole Check Articles action on generated articles.
//
//   kestrelwick_bench [benchmark flags]           times the action
//   kestrelwick_bench --write-articles DIR N [S]  writes three articles of N
//                                                 paragraphs as UTF-8 files; with
//                                                 S, of S sentences a paragraph
//   kestrelwick_bench --peak-memory N             peak heap of one action on
//                                                 articles of N paragraphs
//   kestrelwick_bench --peak-memory-one-paragraph U
//                                                 the same on articles of a title
//                                                 and one paragraph of U code units

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <string>

#include "generated_articles.h"
#include "processing/check_articles.h"

// Heap accounting for --peak-memory: every allocation of the process goes
// through these, and only the difference between two readings is reported.
namespace {
std::atomic<std::size_t> gHeapInUse{0};
std::atomic<std::size_t> gHeapPeak{0};

void* countedAlloc(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t now = gHeapInUse += malloc_usable_size(block);
    std::size_t peak = gHeapPeak.load();
    while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
    }
    return block;
}

void countedFree(void* block) noexcept {
    if (block != nullptr) {
        gHeapInUse -= malloc_usable_size(block);
        std::free(block);
    }
}
}  // namespace

void* operator new(std::size_t size) {
    return countedAlloc(size);
}
void* operator new[](std::size_t size) {
    return countedAlloc(size);
}
void operator delete(void* block) noexcept {
    countedFree(block);
}
void operator delete[](void* block) noexcept {
    countedFree(block);
}
void operator delete(void* block, std::size_t) noexcept {
    countedFree(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    countedFree(block);
}

namespace {

using kestrelwick::bench::generateArticles;
using kestrelwick::bench::generateOneParagraphArticles;
using kestrelwick::bench::generateSentenceArticles;

// One click's work: the check, and the spin text written out as the window
// and the console write it.
void checkOnce(const std::array<std::u16string, 3>& articles,
               kestrelwick::SpinBy by = kestrelwick::SpinBy::Paragraph) {
    const kestrelwick::CheckResult result = kestrelwick::checkArticles(
        {articles[0], articles[1], articles[2]}, kestrelwick::SpinFormat::Ama, by);
    const kestrelwick::WorkingText spin = kestrelwick::writeSpinText(result.spinText);
    benchmark::DoNotOptimize(result.grid.data());
    benchmark::DoNotOptimize(spin.data());
}

std::size_t totalSize(const std::array<std::u16string, 3>& articles) {
    return articles[0].size() + articles[1].size() + articles[2].size();
}

void BM_CheckArticles(benchmark::State& state) {
    const auto articles = generateArticles(state.range(0));
    for (auto _ : state) {
        checkOnce(articles);
    }
    // The generated text is ASCII, so one code unit is one byte of the
    // UTF-8 files that the comparison with wc reads.
    state.SetBytesProcessed(state.iterations() * std::int64_t(totalSize(articles)));
    state.counters["article_bytes"] = double(articles[0].size());
}
// Articles whose paragraphs have four sentences in every version, checked
// by paragraph (0) and by sentence (1): what grouping by sentence costs
// where every paragraph splits.
void BM_CheckArticlesBy(benchmark::State& state) {
    const auto articles = generateSentenceArticles(state.range(0));
    const auto by = kestrelwick::SpinBy(state.range(1));
    for (auto _ : state) {
        checkOnce(articles, by);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(totalSize(articles)));
    state.counters["article_bytes"] = double(articles[0].size());
}
BENCHMARK(BM_CheckArticlesBy)
    ->Args({4000, 0})
    ->Args({4000, 1})
    ->Args({40000, 0})
    ->Args({40000, 1})
    ->Unit(benchmark::kMillisecond);

// Every paragraph of article 2 copied from article 1: every group gets
// compared word for word, and the report names them all.
void BM_CheckArticlesCopied(benchmark::State& state) {
    auto articles = generateArticles(state.range(0));
    articles[1] = articles[0];
    for (auto _ : state) {
        checkOnce(articles);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(totalSize(articles)));
    state.counters["article_bytes"] = double(articles[0].size());
}
BENCHMARK(BM_CheckArticlesCopied)->Arg(4000)->Unit(benchmark::kMillisecond);

// Paragraphs that list links of one length with a long start in common, each
// article its own links: words that agree in their first units must still
// hash apart, or every run of a paragraph lands on one chain of the table.
void BM_CheckArticlesOfLinks(benchmark::State& state) {
    std::array<std::u16string, 3> articles;
    for (std::size_t a = 0; a < articles.size(); ++a) {
        for (std::int64_t p = 0; p < state.range(0); ++p) {
            articles[a] += p == 0 ? u"Links" : u"\r\n";
            for (int link = 0; link < 1000; ++link) {
                std::u16string number = u"000000";
                for (auto n = std::size_t(p * 1000 + link) * (a + 1), i = number.size(); i-- > 0;
                     n /= 10) {
                    number[i] = static_cast<char16_t>(u'0' + n % 10);
                }
                articles[a] += u" https://example.com/page/" + number;
            }
        }
    }
    for (auto _ : state) {
        checkOnce(articles);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(totalSize(articles)));
}
BENCHMARK(BM_CheckArticlesOfLinks)->Arg(20)->Unit(benchmark::kMillisecond);

// Every click after the first reuses the memory that the one before freed, as
// long as it was kept: up to 64 MiB of heap and as much of the engine's own
// blocks. Larger buffers are mapped afresh each time and pay for every page on
// first touch, so large articles pay a cost that small ones do not. The cold
// variant hands all freed memory back to the system between clicks, so that
// every size pays for first touch alike, as the first click of a session
// does.
void BM_CheckArticlesCold(benchmark::State& state) {
    const auto articles = generateArticles(state.range(0));
    for (auto _ : state) {
        checkOnce(articles);
        state.PauseTiming();
        kestrelwick::releaseWorkingMemory();
        malloc_trim(0);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(totalSize(articles)));
    state.counters["article_bytes"] = double(articles[0].size());
}

// About 10 KB, 100 KB, 1 MB, 1.7 MB (4,000 paragraphs), 10 MB and 17 MB each.
void articleSizes(benchmark::internal::Benchmark* b) {
    for (const std::int64_t paragraphs : {24, 240, 2400, 4000, 24000, 40000}) {
        b->Arg(paragraphs);
    }
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_CheckArticles)->Apply(articleSizes);
BENCHMARK(BM_CheckArticlesCold)->Apply(articleSizes);

int writeArticles(const char* dir, std::int64_t paragraphs, std::size_t sentences) {
    const auto articles = sentences > 0 ? generateSentenceArticles(paragraphs, sentences)
                                        : generateArticles(paragraphs);
    for (std::size_t i = 0; i < articles.size(); ++i) {
        const std::string path = std::string(dir) + "/article" + std::to_string(i + 1) + ".txt";
        std::ofstream out(path, std::ios::binary);
        for (const char16_t unit : articles[i]) {
            out.put(static_cast<char>(unit));  // ASCII only
        }
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

// A field of /proc/self/status in bytes, such as VmRSS (resident now) or
// VmHWM (the most resident since start or since the peak was reset).
std::size_t statusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return std::size_t(std::stoull(line.substr(prefix.size()))) * 1024;  // in kB
        }
    }
    return 0;
}

// The most memory one click has at once beyond the inputs, two ways: the heap
// in use (what goes through operator new), and the pages resident, which also
// counts the blocks the engine maps for itself.
int reportPeakMemory(const std::array<std::u16string, 3>& articles) {
    const std::size_t inputBytes = totalSize(articles) * sizeof(char16_t);
    const std::size_t heapBefore = gHeapInUse.load();
    gHeapPeak = heapBefore;
    const std::size_t residentBefore = statusBytes("VmRSS");
    // Writing 5 to clear_refs starts VmHWM again from what is resident now.
    const bool peakReset = bool(std::ofstream("/proc/self/clear_refs") << "5");
    checkOnce(articles);
    const std::size_t heap = gHeapPeak.load() - heapBefore;
    const std::size_t resident = statusBytes("VmHWM") - residentBefore;
    std::printf("inputs %zu bytes, peak beyond inputs: heap %zu bytes (ratio %.2f)", inputBytes,
                heap, double(heap) / double(inputBytes));
    if (peakReset && resident > 0) {
        std::printf(", resident %zu bytes (ratio %.2f)", resident,
                    double(resident) / double(inputBytes));
    }
    std::printf("\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--write-articles") == 0) {
        return writeArticles(argv[2], std::atoll(argv[3]),
                             argc == 5 ? std::size_t(std::atoll(argv[4])) : 0);
    }
    if (argc == 3 && std::strcmp(argv[1], "--peak-memory") == 0) {
        return reportPeakMemory(generateArticles(std::atoll(argv[2])));
    }
    if (argc == 3 && std::strcmp(argv[1], "--peak-memory-one-paragraph") == 0) {
        return reportPeakMemory(generateOneParagraphArticles(std::size_t(std::atoll(argv[2]))));
    }
    // Memory as the program sets it up; the cold variant still pays for
    // fresh pages on every click.
    kestrelwick::keepWorkingMemoryBetweenChecks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

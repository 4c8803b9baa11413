#include "processing/paragraph_comparison.h"

#include <future>
#include <system_error>
#include <thread>

namespace kestrelwick {

namespace {

// Scales the expectations of every group to whole numbers: 36 is a multiple
// of 1, 4 and 9, the squares of the sizes a group can have.
constexpr std::uint64_t kScale = 36;

// The paragraphs from first to before end.
ParagraphComparison compareParagraphs(const CountedArticles& articles, std::size_t first,
                                      std::size_t end, std::size_t budget) {
    ParagraphComparison found;
    WordingComparer comparer(budget);
    for (std::size_t p = first; p < end; ++p) {
        WordingComparer::Versions versions;
        std::uint64_t size = 0;
        for (std::size_t a = 0; a < kArticleCount; ++a) {
            if (const WordCount words = articles.wordsOf(a, p); words > 0) {  // else blank
                versions[a] = {articles.paragraphs[a][p], std::size_t(words)};
                ++size;
            }
        }
        if (size == 0) {
            continue;  // no group
        }
        WordingComparer::RunCounts counts;
        const auto likeness = comparer.compare(versions, &counts);
        std::uint64_t runs = 0;
        std::uint64_t shared = 0;  // over every ordered pair of picks, the same one twice too
        for (const std::size_t own : counts.runs) {
            runs += own;
            shared += own;
        }
        for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
            shared += 2 * std::uint64_t(counts.shared[pair]);
            if (likeness[pair] == Likeness::Same) {
                found.same[pair].add(p);
            } else if (likeness[pair] == Likeness::NearlySame) {
                found.nearlySame[pair].add(p);
            }
        }
        found.share.sharedRuns += shared * (kScale / (size * size));
        found.share.runs += runs * (kScale / size);
    }
    return found;
}

}  // namespace

int percentHalvesUp(std::uint64_t numerator, std::uint64_t denominator) {
    if (denominator == 0) {
        return 0;
    }
    // (200 n + d) / 2d, in 128 bits: counts of runs can pass 2^57.
    __extension__ using Wide = unsigned __int128;
    return int((Wide{200} * numerator + denominator) / (Wide{2} * denominator));
}

int RunShare::percent() const {
    return percentHalvesUp(sharedRuns, runs);
}

ParagraphComparison compareParagraphs(const CountedArticles& articles) {
    // Below this many code units in all, a thread costs more than it saves.
    constexpr std::size_t kSharedFrom = std::size_t{1} << 18;
    const auto& driving = articles.paragraphs[kDrivingArticle];
    std::size_t units = 0;
    for (const std::u16string_view text : articles.tidied) {
        units += text.size();
    }
    const std::size_t articleBytes = units * sizeof(char16_t);
    if (units < kSharedFrom || driving.size() < 2 || std::thread::hardware_concurrency() < 2) {
        return compareParagraphs(articles, 0, driving.size(), articleBytes);
    }

    // The second thread starts at the paragraph with half the third
    // article's text before it.
    const std::u16string_view text = articles.tidied[kDrivingArticle];
    std::size_t half = 1;
    while (half + 1 < driving.size() &&
           2 * std::size_t(driving[half].data() - text.data()) < text.size()) {
        ++half;
    }
    std::future<ParagraphComparison> later;
    try {
        later =
            std::async(std::launch::async, [&articles, half, end = driving.size(), articleBytes] {
                return compareParagraphs(articles, half, end, articleBytes / 2);
            });
    } catch (const std::system_error&) {
        // No thread to be had.
        return compareParagraphs(articles, 0, driving.size(), articleBytes);
    }
    ParagraphComparison found = compareParagraphs(articles, 0, half, articleBytes / 2);
    const ParagraphComparison rest = later.get();
    for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
        found.same[pair].append(rest.same[pair]);
        found.nearlySame[pair].append(rest.nearlySame[pair]);
    }
    found.share.sharedRuns += rest.share.sharedRuns;
    found.share.runs += rest.share.runs;
    return found;
}

}  // namespace kestrelwick

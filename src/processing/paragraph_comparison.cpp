#include "processing/paragraph_comparison.h"

#include "processing/two_halves.h"

namespace kestrelwick {

namespace {

// Scales the expectations of every group to whole numbers: 36 is a multiple
// of 1, 4 and 9, the squares of the sizes a group can have.
constexpr std::uint64_t kScale = 36;

// Adds a group's runs to the share: over every ordered pair of picks, the
// same one twice too.
void addToShare(RunShare& share, const WordingComparer::RunCounts& counts, std::uint64_t size) {
    std::uint64_t runs = 0;
    std::uint64_t shared = 0;
    for (const std::size_t own : counts.runs) {
        runs += own;
        shared += own;
    }
    for (const std::size_t both : counts.shared) {
        shared += 2 * std::uint64_t(both);
    }
    share.sharedRuns += shared * (kScale / (size * size));
    share.runs += runs * (kScale / size);
}

// The first group of the paragraph or of a later one.
std::size_t firstGroupFrom(const SpinText& spin, std::size_t paragraph) {
    std::size_t low = 0;
    std::size_t high = spin.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (spin.paragraphOf(middle) < paragraph) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

// Whether a group holds exactly the versions compared for its paragraph.
bool holdsVersions(const SpinGroup& group, const WordingComparer::Versions& versions) {
    std::size_t k = 0;
    for (const auto& version : versions) {
        if (version) {
            if (k == group.count || group.version(k).data() != version->text.data() ||
                group.version(k).size() != version->text.size()) {
                return false;
            }
            ++k;
        }
    }
    return k == group.count;
}

// The words of a run, as processing/wording.h counts them.
constexpr std::size_t kRunWords = 4;

// The runs of a version of so many words: one run of four words for each
// word from its fourth, or one run of all of them.
std::size_t runsOfWords(std::size_t words) {
    return words < kRunWords ? 1 : words - kRunWords + 1;
}

// Whether no two versions share a run and none has a run twice, as the
// counts of their whole paragraph show.
bool allRunsApart(const WordingComparer::Versions& versions,
                  const WordingComparer::RunCounts& counts) {
    for (std::size_t v = 0; v < versions.size(); ++v) {
        if (versions[v] && counts.runs[v] != runsOfWords(versions[v]->words)) {
            return false;
        }
    }
    for (const std::size_t shared : counts.shared) {
        if (shared != 0) {
            return false;
        }
    }
    return true;
}

// The runs of a group of a paragraph whose runs are all apart: each version's
// runs are its own, and a run of four words would be one of the paragraph's
// runs, so two versions share a run only where both are shorter than that and
// worded the same.
WordingComparer::RunCounts runsApart(const SpinGroup& group) {
    WordingComparer::RunCounts counts;
    std::array<std::size_t, kArticleCount> words{};
    for (std::size_t k = 0; k < group.count; ++k) {
        words[k] = std::size_t(group.words[k]);
        counts.runs[k] = runsOfWords(words[k]);
    }
    for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
        const auto [a, b] = kArticlePairs[pair];
        counts.shared[pair] = b < group.count && words[a] < kRunWords && words[a] == words[b] &&
                              sameWording(group.version(a), group.version(b));
    }
    return counts;
}

// The paragraphs from first to before end, and the groups of the spin text
// that hold their versions.
ParagraphComparison compareParagraphs(const CountedArticles& articles, const SpinText& spin,
                                      std::size_t first, std::size_t end, std::size_t budget) {
    ParagraphComparison found;
    WordingComparer comparer(budget);
    std::size_t nextGroup = firstGroupFrom(spin, first);
    for (std::size_t p = first; p < end; ++p) {
        WordingComparer::Versions versions;
        std::uint64_t size = 0;
        for (std::size_t a = 0; a < kArticleCount; ++a) {
            if (const WordCount words = articles.wordsOf(a, p); words > 0) {  // else blank
                versions[a] = {articles.paragraphs[a][p], std::size_t(words)};
                ++size;
            }
        }
        const std::size_t groups = nextGroup;
        while (nextGroup < spin.size() && spin.paragraphOf(nextGroup) == p) {
            ++nextGroup;
        }
        if (size == 0) {
            continue;  // no group
        }
        WordingComparer::RunCounts counts;
        const auto likeness = comparer.compare(versions, &counts);
        for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
            if (likeness[pair] == Likeness::Same) {
                found.same[pair].add(p);
            } else if (likeness[pair] == Likeness::NearlySame) {
                found.nearlySame[pair].add(p);
            }
        }
        // A group of the whole paragraph has the paragraph's runs. The groups
        // of its sentences have runs of their own: worked out from their words
        // where the paragraph's runs are all apart, as they mostly are in
        // rewritten text; else counted group by group.
        if (nextGroup == groups + 1 && holdsVersions(spin.group(groups), versions)) {
            addToShare(found.share, counts, size);
            continue;
        }
        const bool apart = allRunsApart(versions, counts);
        for (std::size_t g = groups; g < nextGroup; ++g) {
            const SpinGroup group = spin.group(g);
            if (apart) {
                counts = runsApart(group);
            } else {
                WordingComparer::Versions pieces;
                for (std::size_t k = 0; k < group.count; ++k) {
                    pieces[k] = {group.version(k), std::size_t(group.words[k])};
                }
                counts = {};
                comparer.compare(pieces, &counts);
            }
            addToShare(found.share, counts, group.count);
        }
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

ParagraphComparison compareParagraphs(const CountedArticles& articles, const SpinText& spin) {
    const auto& driving = articles.paragraphs[kDrivingArticle];
    std::size_t units = 0;
    for (const std::u16string_view text : articles.tidied) {
        units += text.size();
    }
    const std::size_t articleBytes = units * sizeof(char16_t);
    return inTwoHalves(
        articles.halfwayParagraph(), driving.size(),
        [&](std::size_t first, std::size_t end, bool halved) {
            // Two halves at once take half the memory each.
            return compareParagraphs(articles, spin, first, end,
                                     halved ? articleBytes / 2 : articleBytes);
        },
        [](ParagraphComparison& found, const ParagraphComparison& rest) {
            for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
                found.same[pair].append(rest.same[pair]);
                found.nearlySame[pair].append(rest.nearlySame[pair]);
            }
            found.share.sharedRuns += rest.share.sharedRuns;
            found.share.runs += rest.share.runs;
        });
}

}  // namespace kestrelwick

#include "processing/article_share.h"

#include <map>

#include "processing/wording.h"
#include "processing/words.h"

namespace kestrelwick {

namespace {

__extension__ using Wide = unsigned __int128;

}  // namespace

std::vector<GroupRuns> countGroupRuns(const SpinChoices& choices) {
    std::vector<GroupRuns> all;
    all.reserve(choices.groups.size());
    WordingComparer comparer;
    const auto version = [](std::u16string_view text) -> std::optional<WordingComparer::Version> {
        if (isBlank(text)) {
            return std::nullopt;  // no runs
        }
        return WordingComparer::Version{text, std::size_t(countWords(text))};
    };
    WordingComparer::RunCounts counts;
    for (const SpinChoices::Group& group : choices.groups) {
        const auto& alternatives = group.alternatives;
        const std::size_t count = alternatives.size();
        GroupRuns runs(count);
        if (count <= WordingComparer::kVersions) {
            // The alternatives of a group as a check compares a paragraph's
            // versions: all at once.
            WordingComparer::Versions versions;
            for (std::size_t a = 0; a < count; ++a) {
                versions[a] = version(alternatives[a]);
            }
            counts = {};
            comparer.compare(versions, &counts);
            for (std::size_t a = 0; a < count; ++a) {
                runs.set(a, a, counts.runs[a]);
            }
            for (std::size_t pair = 0; pair < WordingComparer::kPairs.size(); ++pair) {
                const auto [a, b] = WordingComparer::kPairs[pair];
                if (b < count) {
                    runs.set(a, b, counts.shared[pair]);
                }
            }
        } else {
            // More alternatives than a paragraph has versions: pair by pair.
            for (std::size_t a = 0; a < count; ++a) {
                for (std::size_t b = a + 1; b < count; ++b) {
                    counts = {};
                    comparer.compare(
                        {version(alternatives[a]), version(alternatives[b]), std::nullopt},
                        &counts);
                    runs.set(a, a, counts.runs[0]);
                    runs.set(b, b, counts.runs[1]);
                    runs.set(a, b, counts.shared[0]);
                }
            }
        }
        all.push_back(std::move(runs));
    }
    return all;
}

bool Share::atMost(int percent) const {
    // 2 S / (R1 + R2) <= percent / 100
    return Wide{200} * shared <= Wide(std::uint64_t(percent)) * runs;
}

bool operator==(const Share& a, const Share& b) {
    return !(a < b) && !(b < a);
}

bool operator<(const Share& a, const Share& b) {
    // S_a / R_a < S_b / R_b, a share without runs being 0.
    if (a.runs == 0 || b.runs == 0) {
        return a.runs == 0 ? (b.runs != 0 && b.shared != 0) : false;
    }
    return Wide(a.shared) * b.runs < Wide(b.shared) * a.runs;
}

std::uint64_t runsOf(const std::vector<GroupRuns>& runs, const ArticleChoice& article) {
    std::uint64_t total = 0;
    for (std::size_t g = 0; g < runs.size(); ++g) {
        total += runs[g].runs(article[g]);
    }
    return total;
}

void MeanShare::add(std::uint64_t runs, Wide shared, std::uint64_t pairs) {
    pairs_ += pairs;
    if (runs == 0) {
        return;  // shares of 0
    }
    if (exact_ && sharedByRuns_.size() >= kMostExact && !sharedByRuns_.contains(runs)) {
        for (const auto& [sum, sharedThere] : sharedByRuns_) {
            approximate_ +=
                2.0L * static_cast<long double>(sharedThere) / static_cast<long double>(sum);
        }
        sharedByRuns_.clear();
        exact_ = false;
    }
    if (exact_) {
        sharedByRuns_[runs] += shared;
    } else {
        approximate_ += 2.0L * static_cast<long double>(shared) / static_cast<long double>(runs);
    }
}

int MeanShare::percent() const {
    if (pairs_ == 0) {
        return 0;
    }
    // The sums of S of the pairs that have the same R1 + R2 are exact, and so
    // is the sum of the fractions while its denominator fits in 128 bits.
    Wide numerator = 0;
    Wide denominator = 1;
    bool exact = exact_;
    long double approximate = approximate_;
    for (const auto& [runs, shared] : sharedByRuns_) {
        approximate += 2.0L * static_cast<long double>(shared) / static_cast<long double>(runs);
        if (!exact) {
            continue;
        }
        Wide a = denominator;
        Wide b = runs;
        while (b != 0) {
            const Wide r = a % b;
            a = b;
            b = r;
        }
        const Wide common = a;
        Wide newDenominator = 0;
        Wide scaled = 0;
        Wide added = 0;
        exact = !__builtin_mul_overflow(denominator / common, Wide(runs), &newDenominator) &&
                !__builtin_mul_overflow(numerator, Wide(runs) / common, &scaled) &&
                !__builtin_mul_overflow(2 * shared, denominator / common, &added) &&
                !__builtin_add_overflow(scaled, added, &numerator);
        denominator = newDenominator;
    }
    // 100 x numerator / (denominator x pairs), halves up.
    Wide below = 0;
    Wide above = 0;
    if (exact && !__builtin_mul_overflow(denominator, Wide(pairs_), &below) &&
        !__builtin_mul_overflow(numerator, Wide(200), &above) &&
        !__builtin_add_overflow(above, below, &above)) {
        return int(above / (2 * below));
    }
    return int(100.0L * approximate / static_cast<long double>(pairs_) + 0.5L);
}

Share shareOf(const std::vector<GroupRuns>& runs, const ArticleChoice& a, const ArticleChoice& b) {
    Share share;
    for (std::size_t g = 0; g < runs.size(); ++g) {
        share.shared += runs[g].shared(a[g], b[g]);
    }
    share.runs = runsOf(runs, a) + runsOf(runs, b);
    return share;
}

}  // namespace kestrelwick

#include "processing/article_batch.h"

#include <algorithm>
#include <limits>
#include <map>
#include <unordered_set>

#include "processing/article_spelling.h"
#include "processing/batch_search.h"
#include "processing/distinct_texts.h"
#include "processing/least_shared_pair.h"
#include "processing/linear_code.h"
#include "processing/most_within_limit.h"

namespace kestrelwick {

namespace {

// Beyond this many articles no search is made: the batch is the linear
// code, and its shares are measured without a table of pairs.
constexpr std::uint64_t kMostSearched = 2048;
// The least work a search may do (a few dozen milliseconds), so that a
// short text is searched well, and the work for each pair of articles and
// group of the text.
constexpr std::int64_t kLeastWork = std::int64_t{16} << 20;
constexpr double kWorkPerPairGroup = 1;
constexpr int kAnyShare = 100;
// Tries to place one more article within a limit before the whole batch is
// searched for room, and before the batch stops growing.
constexpr int kPlacingTries = 8;
// The most articles a text may give for each to be tried in a batch within
// a limit.
constexpr std::uint64_t kMostScanned = std::uint64_t{1} << 20;

// The work a search of count articles may do.
std::int64_t workFor(const std::vector<GroupRuns>& runs, std::uint64_t count, std::size_t written) {
    double groups = 0;
    for (const GroupRuns& group : runs) {
        groups += group.alternatives() > 1 ? 1 : 0;
    }
    const double articles = double(count + written);
    const double work = kWorkPerPairGroup * articles * (articles - 1) / 2 * groups;
    return std::max(kLeastWork, std::int64_t(std::min(work, 1e15)));
}

// The written articles a batch keeps apart from.
std::vector<ArticleChoice> keptApart(const SpinChoices& choices, bool withWritten) {
    return withWritten ? std::vector<ArticleChoice>{} : choices.writtenArticles();
}

// A batch of count articles of the linear code, made without a search: the
// code's articles in turn, but for the written ones, in place of which the
// next ones come. Articles that come twice are made new as those that read
// the same are (processing/distinct_texts.h).
std::vector<ArticleChoice> codedBatch(const std::vector<GroupRuns>& runs, std::uint64_t count,
                                      const std::vector<ArticleChoice>& written,
                                      std::uint64_t seed) {
    std::vector<std::size_t> chosen;
    for (std::size_t g = 0; g < runs.size(); ++g) {
        if (runs[g].alternatives() > 1) {
            chosen.push_back(g);
        }
    }
    SpinRandom random(seed);
    const LinearCode code = linearCodeOf(runs, chosen, written, count + written.size(), random);
    std::vector<ArticleChoice> batch;
    batch.reserve(count);
    ArticleChoice article(runs.size(), 0);
    std::vector<std::uint16_t> coded(chosen.size());
    for (std::uint64_t t = 0; batch.size() < count; ++t) {
        code.article(t, coded.data());
        for (std::size_t c = 0; c < chosen.size(); ++c) {
            article[chosen[c]] = coded[c];
        }
        if (t >= count + written.size() ||
            std::find(written.begin(), written.end(), article) == written.end()) {
            batch.push_back(article);
        }
    }
    return batch;
}

// The articles of a batch of count without a limit, before they are told
// apart by their texts; nothing when cancelled.
std::optional<std::vector<ArticleChoice>> countedArticles(const SpinChoices& choices,
                                                          const std::vector<GroupRuns>& runs,
                                                          const ArticleSpellings& spellings,
                                                          const std::vector<ArticleChoice>& written,
                                                          std::uint64_t count, std::uint64_t seed,
                                                          BatchProgress* progress) {
    if (count > kMostSearched) {
        return codedBatch(runs, count, written, seed);
    }
    const std::int64_t work = workFor(runs, count, written.size());
    BatchSearch search(runs, written, choices.keptArticles(), seed, work, progress);
    if (count == 2) {
        // Exactly, where that takes little work; the search then lowers
        // the share with the written articles.
        auto pair = leastSharedPair(runs, written, work / 2);
        if (pair && !sameSpellings(spellings, {(*pair)[0], (*pair)[1]}, written).empty()) {
            // It reads the same as itself or a written one: every pair of a
            // short text tried instead.
            pair = leastSharedReadPair(choices, runs, spellings, written, work / 2);
        }
        if (pair) {
            search.add((*pair)[0]);
            search.add((*pair)[1]);
        }
    }
    if (search.size() == 0) {
        if (count == 1) {
            search.addSpread();
        } else {
            search.addCoded(count);
        }
    }
    search.improve(std::nullopt);
    if (search.cancelled()) {
        return std::nullopt;
    }
    return search.articles();
}

// The articles of a batch within a limit; mayFindMore tells whether more
// could be. Nothing when cancelled.
std::optional<std::vector<ArticleChoice>> limitedArticles(const SpinChoices& choices,
                                                          const std::vector<GroupRuns>& runs,
                                                          const ArticleSpellings& spellings,
                                                          const std::vector<ArticleChoice>& written,
                                                          std::uint64_t count, int limit,
                                                          std::uint64_t seed, bool& mayFindMore,
                                                          BatchProgress* progress) {
    const std::uint64_t most = std::min(count, kMostSearched);
    const std::int64_t work = workFor(runs, most, written.size());
    BatchSearch search(runs, written, choices.keptArticles(), seed, work, progress);
    // The articles of the linear code that fit, in turn; then one article
    // more at a time: the one that adds least to what the batch shares, then
    // others at random, each moved until it fits, and at last the whole
    // batch searched for room; then, where the text gives few enough, every
    // article that still fits.
    search.addCodedWithin(std::size_t(most), limit);
    while (search.size() < most && search.workLeft()) {
        bool placed = false;
        for (int attempt = 0; attempt < kPlacingTries && !placed && search.workLeft(); ++attempt) {
            if (attempt % 2 == 0) {
                search.addSpread();
            } else {
                search.addRandom();
            }
            placed = search.placeLast(limit);
            if (!placed) {
                search.removeLast();
            }
        }
        if (!placed && search.size() > 0 && search.workLeft()) {
            const BatchSearch::Saved saved = search.save();
            search.addSpread();
            placed = search.improve(limit);
            if (!placed) {
                search.restore(saved);
            }
        }
        if (!placed) {
            break;
        }
    }
    if (choices.keptArticles() <= kMostScanned) {
        search.addEveryWithin(std::size_t(most), limit);
    }
    if (search.cancelled()) {
        return std::nullopt;
    }
    std::vector<ArticleChoice> articles = search.articles();
    spellApart(articles, choices, runs, spellings, written, limit, seed);
    const auto exact =
        mostWithinLimit(choices, runs, spellings, written, limit, count, articles, work);
    if (exact) {
        articles = exact->articles;
    }
    mayFindMore = articles.size() < count && (!exact || !exact->proven);
    return articles;
}

}  // namespace

std::uint64_t availableArticles(const SpinChoices& choices, bool withWritten) {
    const std::uint64_t all = choices.articles();
    if (withWritten || all == std::numeric_limits<std::uint64_t>::max()) {
        return all;
    }
    return all - choices.writtenArticles().size();
}

std::size_t alternativesToKeep(std::uint64_t count) {
    constexpr std::uint64_t kLeast = 64;
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint16_t>::max();
    return std::size_t(std::clamp(count, kLeast, kMost));
}

std::vector<ArticleChoice> randomBatch(const SpinChoices& choices, std::uint64_t count,
                                       std::uint64_t seed, bool withWritten) {
    SpinRandom random(seed);
    std::vector<ArticleChoice> drawn;
    const std::vector<ArticleChoice> written = keptApart(choices, withWritten);
    const std::uint64_t different = choices.keptArticles();
    const auto numberOf = [&](const ArticleChoice& choice) {
        std::uint64_t number = 0;
        for (std::size_t g = choices.groups.size(); g-- > 0;) {
            number = number * choices.groups[g].alternatives.size() + choice[g];
        }
        return number;
    };
    if (different <= 4 * count && different <= (std::uint64_t{1} << 26)) {
        // Most of the articles there are: count different numbers drawn
        // (Floyd's way) from those that are not written, each read with a
        // digit per group.
        std::vector<std::uint64_t> skipped;
        for (const ArticleChoice& article : written) {
            skipped.push_back(numberOf(article));
        }
        std::sort(skipped.begin(), skipped.end());
        const std::uint64_t open = different - skipped.size();
        count = std::min(count, open);
        std::unordered_set<std::uint64_t> numbers;
        std::vector<std::uint64_t> order;
        for (std::uint64_t j = open - count; j < open; ++j) {
            const std::uint64_t t = random.below(j + 1);
            const std::uint64_t taken = numbers.insert(t).second ? t : j;
            numbers.insert(taken);
            order.push_back(taken);
        }
        for (std::uint64_t rest : order) {
            for (const std::uint64_t number : skipped) {
                rest += rest >= number ? 1 : 0;
            }
            ArticleChoice choice(choices.groups.size());
            for (std::size_t g = 0; g < choices.groups.size(); ++g) {
                const std::size_t kept = choices.groups[g].alternatives.size();
                choice[g] = std::uint16_t(rest % kept);
                rest /= kept;
            }
            drawn.push_back(std::move(choice));
        }
        return drawn;
    }
    // Few of those there are: drawn whole, again where one comes twice.
    std::map<ArticleChoice, bool> seen;
    for (const ArticleChoice& article : written) {
        seen.emplace(article, false);
    }
    while (drawn.size() < count) {
        ArticleChoice choice(choices.groups.size());
        for (std::size_t g = 0; g < choices.groups.size(); ++g) {
            choice[g] = std::uint16_t(random.below(choices.groups[g].alternatives.size()));
        }
        if (seen.emplace(choice, true).second) {
            drawn.push_back(std::move(choice));
        }
    }
    return drawn;
}

std::optional<Batch> chooseBatch(const SpinChoices& choices, const std::vector<GroupRuns>& runs,
                                 const BatchRequest& request, BatchProgress* progress) {
    const std::vector<ArticleChoice> written = keptApart(choices, request.withWritten);
    const std::uint64_t open = choices.keptArticles() - written.size();
    const std::uint64_t count = std::min(request.count, open);
    const ArticleSpellings spellings(choices);
    const bool limited = request.maxShare && *request.maxShare < kAnyShare;
    bool mayFindMore = false;
    std::optional<std::vector<ArticleChoice>> articles =
        limited ? limitedArticles(choices, runs, spellings, written, count, *request.maxShare,
                                  request.seed, mayFindMore, progress)
                : countedArticles(choices, runs, spellings, written, count, request.seed, progress);
    if (!articles) {
        return std::nullopt;
    }
    if (!limited) {
        spellApart(*articles, choices, runs, spellings, written, std::nullopt, request.seed);
    }
    std::optional<Batch> batch = measureBatch(choices, runs, std::move(*articles), progress);
    if (batch && !limited && batch->articles.size() > 1) {
        // Never worse than the random batch of the same seed, which is taken
        // only where it shares less: it is measured only as far as it takes
        // to find a pair sharing as much.
        std::vector<ArticleChoice> drawn =
            randomBatch(choices, count, request.seed, request.withWritten);
        spellApart(drawn, choices, runs, spellings, written, std::nullopt, request.seed);
        bool worse = drawn.size() < batch->articles.size();
        for (std::size_t a = 0; a < drawn.size() && !worse; ++a) {
            for (std::size_t b = a + 1; b < drawn.size() && !worse; ++b) {
                worse = !(shareOf(runs, drawn[a], drawn[b]) < batch->shares.highest);
            }
        }
        if (!worse) {
            batch = measureBatch(choices, runs, std::move(drawn), progress);
        }
    }
    if (batch) {
        batch->withWritten = request.withWritten;
        batch->maxShare = request.maxShare;
        batch->seed = request.seed;
        batch->mayFindMore = mayFindMore;
    }
    return batch;
}

}  // namespace kestrelwick

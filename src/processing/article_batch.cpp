#include "processing/article_batch.h"

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>
#include <unordered_set>

#include "processing/batch_search.h"
#include "processing/decimal_text.h"

namespace kestrelwick {

namespace {

__extension__ using Wide = unsigned __int128;

// Beyond this many articles no search is made: the batch is the random
// one, and its shares are measured without keeping a table of pairs.
constexpr std::uint64_t kMostSearched = 2048;
// The least work a search may do (a few dozen milliseconds), so that a
// short text is searched well, and the work per code unit to be written.
constexpr std::int64_t kLeastWork = std::int64_t{16} << 20;
constexpr double kWorkPerUnit = 0.5;

std::u16string number(std::uint64_t value) {
    return decimalText(value);
}

// The work a search of count articles may do: in proportion to what will
// be written, the text of one article (between the groups, and an
// alternative of each group of average length) count times.
std::int64_t workFor(const SpinChoices& choices, std::uint64_t count) {
    double units = double(choices.text.size());
    for (const SpinChoices::Group& group : choices.groups) {
        double length = 0;
        for (const std::u16string_view alternative : group.alternatives) {
            length += double(alternative.size());
        }
        units -= double(group.close - group.open + 1);
        units += length / double(group.alternatives.size());
    }
    const double work = kWorkPerUnit * units * double(count);
    return std::max(kLeastWork, std::int64_t(std::min(work, 1e15)));
}

}  // namespace

std::u16string Batch::summary() const {
    if (articles.size() == 1) {
        return u"1 article: there is no second one to share its runs of four words.";
    }
    return number(articles.size()) + u" articles: any two share at most " +
           number(std::uint64_t(shares.highestPercent)) +
           u" % of their runs of four words, on average " +
           number(std::uint64_t(shares.meanPercent)) + u" %.";
}

std::size_t alternativesToKeep(std::uint64_t count) {
    constexpr std::uint64_t kLeast = 64;
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint16_t>::max();
    return std::size_t(std::clamp(count, kLeast, kMost));
}

Batch measureBatch(const std::vector<GroupRuns>& runs, std::vector<ArticleChoice> articles) {
    Batch batch;
    batch.shares = sharesOf(runs, articles);
    batch.articles = std::move(articles);
    return batch;
}

std::vector<ArticleChoice> randomBatch(const SpinChoices& choices, std::uint64_t count,
                                       std::uint64_t seed) {
    SpinRandom random(seed);
    std::vector<ArticleChoice> drawn;
    const std::uint64_t different = choices.keptArticles();
    if (different <= 4 * count && different <= (std::uint64_t{1} << 26)) {
        // Most of the articles there are: count different numbers drawn
        // (Floyd's way), each read with a digit per group.
        std::unordered_set<std::uint64_t> numbers;
        std::vector<std::uint64_t> order;
        for (std::uint64_t j = different - count; j < different; ++j) {
            const std::uint64_t t = random.below(j + 1);
            const std::uint64_t taken = numbers.insert(t).second ? t : j;
            numbers.insert(taken);
            order.push_back(taken);
        }
        for (std::uint64_t rest : order) {
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
    const std::uint64_t count = request.count;
    const std::int64_t work = workFor(choices, count);
    BatchSearch search(choices, runs, request.seed, work, progress);
    constexpr int kAnyShare = 100;
    if (request.maxShare && *request.maxShare < kAnyShare) {
        // One article more at a time, while every share stays within the
        // limit.
        const int limit = *request.maxShare;
        search.addRandom();
        std::vector<ArticleChoice> within = search.articles();
        while (search.size() < std::min(count, kMostSearched) && search.workLeft()) {
            search.addSpread();
            if (!search.within(limit) && !search.improve(limit)) {
                break;
            }
            if (search.cancelled()) {
                return std::nullopt;
            }
            within = search.articles();
        }
        if (search.cancelled()) {
            return std::nullopt;
        }
        return measureBatch(runs, std::move(within));
    }
    std::vector<ArticleChoice> drawn = randomBatch(choices, count, request.seed);
    if (count > kMostSearched || count < 2) {
        return measureBatch(runs, std::move(drawn));
    }
    search.addCoded(count);
    search.improve(std::nullopt);
    if (search.cancelled()) {
        return std::nullopt;
    }
    Batch found{search.articles(), search.measured()};
    // Never worse than the random batch of the same seed: that one is
    // measured only as far as it takes to find a pair sharing more.
    for (std::size_t a = 0; a < drawn.size(); ++a) {
        for (std::size_t b = a + 1; b < drawn.size(); ++b) {
            if (found.shares.highest < shareOf(runs, drawn[a], drawn[b])) {
                return found;
            }
        }
    }
    return measureBatch(runs, std::move(drawn));
}

}  // namespace kestrelwick

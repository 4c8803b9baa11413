#include "processing/most_within_limit.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <unordered_map>

namespace kestrelwick {

namespace {

// The most articles the text may give to be read one by one, and the most
// of them that may be compared pair by pair.
constexpr std::uint64_t kMostRead = std::uint64_t{1} << 16;
constexpr std::size_t kMostCompared = 1024;
// The most articles of which every pair may be tried for the two that share
// least.
constexpr std::size_t kMostPaired = 4096;

using Bits = std::vector<std::uint64_t>;

bool has(const Bits& bits, std::size_t i) {
    return (bits[i / 64] >> (i % 64) & 1) != 0;
}
void drop(Bits& bits, std::size_t i) {
    bits[i / 64] &= ~(std::uint64_t{1} << (i % 64));
}
bool empty(const Bits& bits) {
    return std::all_of(bits.begin(), bits.end(), [](std::uint64_t w) { return w == 0; });
}
std::size_t firstOf(const Bits& bits) {
    for (std::size_t w = 0;; ++w) {
        if (bits[w] != 0) {
            return w * 64 + std::size_t(std::countr_zero(bits[w]));
        }
    }
}

// The largest clique of a graph, points numbered from the most joined.
class Cliques {
  public:
    Cliques(std::vector<Bits> joined, std::size_t known, std::size_t enough, std::int64_t work)
        : joined_(std::move(joined)), known_(known), enough_(enough), work_(work) {}

    // Searches; returns whether the search ran to its end (or to enough).
    bool run() {
        const std::size_t n = joined_.size();
        Bits all((n + 63) / 64, 0);
        for (std::size_t i = 0; i < n; ++i) {
            all[i / 64] |= std::uint64_t{1} << (i % 64);
        }
        frames_.push_back(coloured(std::move(all)));
        while (!frames_.empty()) {
            if (work_ < 0) {
                return false;
            }
            Frame& frame = frames_.back();
            // The points left in colour order; the last has the most colours
            // below it, and no point can beat the colours it has.
            if (frame.order.empty() ||
                current_.size() + frame.order.back().second <= std::max(known_, best_.size())) {
                frames_.pop_back();
                if (!frames_.empty()) {
                    current_.pop_back();
                }
                continue;
            }
            const std::size_t point = frame.order.back().first;
            frame.order.pop_back();
            Bits next = frame.left;
            drop(frame.left, point);
            for (std::size_t w = 0; w < next.size(); ++w) {
                next[w] &= joined_[point][w];
            }
            current_.push_back(point);
            work_ -= std::int64_t(next.size());
            if (empty(next)) {
                if (current_.size() > std::max(known_, best_.size())) {
                    best_ = current_;
                    if (best_.size() >= enough_) {
                        return true;
                    }
                }
                current_.pop_back();
                continue;
            }
            frames_.push_back(coloured(std::move(next)));
        }
        return true;
    }

    // The largest clique found beyond the known size, if any.
    const std::vector<std::size_t>& best() const { return best_; }

  private:
    struct Frame {
        Bits left;
        std::vector<std::pair<std::size_t, std::size_t>> order;  // point, colour
    };

    // Greedy colours: each class a set of points no two of which are
    // joined, taken in order of their numbers.
    Frame coloured(Bits left) {
        Frame frame{left, {}};
        Bits uncoloured = std::move(left);
        for (std::size_t colour = 1; !empty(uncoloured); ++colour) {
            Bits open = uncoloured;
            while (!empty(open)) {
                const std::size_t point = firstOf(open);
                drop(uncoloured, point);
                for (std::size_t w = 0; w < open.size(); ++w) {
                    open[w] &= ~joined_[point][w];
                }
                drop(open, point);
                frame.order.emplace_back(point, colour);
                work_ -= std::int64_t(open.size());
            }
        }
        return frame;
    }

    std::vector<Bits> joined_;
    std::size_t known_;
    std::size_t enough_;
    std::int64_t work_;
    std::vector<Frame> frames_;
    std::vector<std::size_t> current_;
    std::vector<std::size_t> best_;
};

// The articles that could be in a batch: all the text gives but the
// written ones, those that read as one and (with a limit) those that share
// more with one; with their fingerprints. Nothing where the text gives too
// many to read, or more than most could be.
struct Could {
    std::vector<ArticleChoice> articles;
    std::vector<std::uint64_t> prints;
};
std::optional<Could> couldBeIn(const SpinChoices& choices, const std::vector<GroupRuns>& runs,
                               const ArticleSpellings& spellings,
                               const std::vector<ArticleChoice>& written, std::optional<int> limit,
                               std::size_t most, std::int64_t& work) {
    const std::uint64_t kept = choices.keptArticles();
    if (kept > kMostRead) {
        return std::nullopt;
    }
    const std::size_t groups = choices.groups.size();
    std::vector<std::uint64_t> writtenPrints;
    for (const ArticleChoice& article : written) {
        writtenPrints.push_back(spellings.fingerprint(article));
    }
    Could could;
    for (std::uint64_t number = 0; number < kept; ++number) {
        ArticleChoice article(groups);
        std::uint64_t rest = number;
        for (std::size_t g = 0; g < groups; ++g) {
            article[g] = std::uint16_t(rest % runs[g].alternatives());
            rest /= runs[g].alternatives();
        }
        const std::uint64_t print = spellings.fingerprint(article);
        bool apart = true;
        for (std::size_t w = 0; w < written.size() && apart; ++w) {
            apart = (!limit || shareOf(runs, article, written[w]).atMost(*limit)) &&
                    (print != writtenPrints[w] || !spellings.same(article, written[w]));
        }
        work -= std::int64_t(groups * (written.size() + 2));
        if (apart) {
            if (could.articles.size() == most) {
                return std::nullopt;
            }
            could.articles.push_back(std::move(article));
            could.prints.push_back(print);
        }
    }
    return could;
}

}  // namespace

std::optional<MostWithin> mostWithinLimit(
    const SpinChoices& choices, const std::vector<GroupRuns>& runs,
    const ArticleSpellings& spellings, const std::vector<ArticleChoice>& written, int limit,
    std::uint64_t count, const std::vector<ArticleChoice>& found, std::int64_t work) {
    if (found.size() >= count) {
        return MostWithin{found, true};
    }
    const auto read = couldBeIn(choices, runs, spellings, written, limit, kMostCompared, work);
    if (!read) {
        return std::nullopt;
    }
    const std::vector<ArticleChoice>& could = read->articles;
    const std::vector<std::uint64_t>& prints = read->prints;
    const std::size_t groups = choices.groups.size();
    const std::size_t n = could.size();
    work -= std::int64_t(n * n / 2 * groups);
    if (work < 0) {
        return std::nullopt;
    }
    // Joined where they share at most the limit and read differently.
    std::vector<Bits> joined(n, Bits((n + 63) / 64, 0));
    std::vector<std::size_t> degree(n, 0);
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            if (shareOf(runs, could[a], could[b]).atMost(limit) &&
                (prints[a] != prints[b] || !spellings.same(could[a], could[b]))) {
                joined[a][b / 64] |= std::uint64_t{1} << (b % 64);
                joined[b][a / 64] |= std::uint64_t{1} << (a % 64);
                ++degree[a];
                ++degree[b];
            }
        }
    }
    // Numbered from the most joined, so that colouring takes them first.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return degree[a] > degree[b]; });
    std::vector<Bits> numbered(n, Bits((n + 63) / 64, 0));
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            if (has(joined[order[a]], order[b])) {
                numbered[a][b / 64] |= std::uint64_t{1} << (b % 64);
            }
        }
    }
    Cliques cliques(std::move(numbered), found.size(),
                    std::size_t(std::min<std::uint64_t>(count, n)), work);
    MostWithin most;
    most.proven = cliques.run();
    if (cliques.best().empty()) {
        most.articles = found;
    } else {
        for (const std::size_t point : cliques.best()) {
            most.articles.push_back(could[order[point]]);
        }
    }
    return most;
}

std::optional<std::array<ArticleChoice, 2>> leastSharedReadPair(
    const SpinChoices& choices, const std::vector<GroupRuns>& runs,
    const ArticleSpellings& spellings, const std::vector<ArticleChoice>& written,
    std::int64_t work) {
    const auto read = couldBeIn(choices, runs, spellings, written, std::nullopt, kMostPaired, work);
    if (!read) {
        return std::nullopt;
    }
    const std::vector<ArticleChoice>& could = read->articles;
    work -= std::int64_t(could.size() * could.size() / 2 * choices.groups.size());
    if (work < 0) {
        return std::nullopt;
    }
    std::optional<std::array<ArticleChoice, 2>> least;
    Share leastShare;
    for (std::size_t a = 0; a < could.size(); ++a) {
        for (std::size_t b = a + 1; b < could.size(); ++b) {
            const Share share = shareOf(runs, could[a], could[b]);
            if ((!least || share < leastShare) &&
                (read->prints[a] != read->prints[b] || !spellings.same(could[a], could[b]))) {
                least = {could[a], could[b]};
                leastShare = share;
            }
        }
    }
    return least;
}

}  // namespace kestrelwick

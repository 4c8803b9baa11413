#include "processing/batch_search.h"

#include <algorithm>
#include <limits>
#include <map>

namespace kestrelwick {

namespace {

__extension__ using Wide = unsigned __int128;

// Groups whose alternatives one step of the search tries, where the text
// has more: a sample, so that a step costs little however long the text.
constexpr std::size_t kGroupsPerStep = 48;
// Steps without a better batch before the search goes back to the best,
// and before it gives up.
constexpr int kStallSteps = 64;
constexpr int kHopelessSteps = 1024;
// How close to the mean share the highest may come before the search stops:
// half a percent.
constexpr double kCloseToMean = 0.005;
}  // namespace

struct BatchSearch::Saved {
    std::vector<std::uint16_t> choice;
    std::vector<std::uint64_t> runsOf;
    std::vector<std::uint64_t> shared;
    std::vector<std::uint64_t> hash;
};

void BatchSearch::Score::add(double share) {
    if (share > highest || atHighest == 0) {
        highest = share;
        atHighest = 0;
    }
    atHighest += share == highest ? 1 : 0;
    squares += share * share;
    sum += share;
}

bool BatchSearch::Score::operator<(const Score& other) const {
    // Equal fractions give equal quotients, so ties in the highest share are
    // exact; the squares only break ties, and a difference within rounding
    // is none.
    if (highest != other.highest) {
        return highest < other.highest;
    }
    if (atHighest != other.atHighest) {
        return atHighest < other.atHighest;
    }
    return squares < other.squares - 1e-12 * (1.0 + other.squares);
}

bool BatchSearch::spend(std::int64_t steps) {
    work_ -= steps;
    if (work_ <= nextAsk_) {
        nextAsk_ = work_ - kAskEvery;
        cancelled_ = cancelled_ || (progress_ != nullptr && progress_->cancelled());
    }
    return work_ > 0 && !cancelled_;
}

double BatchSearch::share(std::size_t a, std::size_t b) const {
    const std::uint64_t runs = runsOf_[a] + runsOf_[b];
    return runs == 0 ? 0.0 : 2.0 * double(pair(a, b)) / double(runs);
}

BatchSearch::Score BatchSearch::score() const {
    Score score;
    for (std::size_t a = 0; a < articles_; ++a) {
        for (std::size_t b = a + 1; b < articles_; ++b) {
            score.add(share(a, b));
        }
    }
    return score;
}

bool BatchSearch::step(Score& current) {
    const std::size_t k = articles_;
    const std::size_t groups = groups_.size();
    // An article of a pair at the highest share, any of them alike.
    std::size_t article = k;
    std::size_t found = 0;
    for (std::size_t a = 0; a < k; ++a) {
        for (std::size_t b = a + 1; b < k; ++b) {
            if (share(a, b) == current.highest) {
                if (random_.below(++found) == 0) {
                    article = random_.below(2) == 0 ? a : b;
                }
            }
        }
    }
    // What the pairs without that article give.
    Score rest;
    for (std::size_t a = 0; a < k; ++a) {
        for (std::size_t b = a + 1; b < k && a != article; ++b) {
            if (b != article) {
                rest.add(share(a, b));
            }
        }
    }
    spend(std::int64_t(k * k));

    // The groups to try: all, or a sample.
    std::vector<std::size_t> tried(groups);
    for (std::size_t g = 0; g < groups; ++g) {
        tried[g] = g;
    }
    const std::size_t sample = std::min(groups, kGroupsPerStep);
    for (std::size_t i = 0; i < sample; ++i) {
        std::swap(tried[i], tried[i + random_.below(groups - i)]);
    }
    tried.resize(sample);

    Score best = current;
    std::size_t bestGroup = groups;
    std::uint16_t bestAlternative = 0;
    std::vector<std::uint16_t> changed(choice_.begin() + std::ptrdiff_t(article * groups),
                                       choice_.begin() + std::ptrdiff_t((article + 1) * groups));
    std::int64_t cost = 0;
    for (const std::size_t g : tried) {
        const GroupRuns& runs = runs_[groups_[g]];
        const std::uint16_t old = at(article, g);
        for (std::uint16_t alternative = 0; alternative < runs.alternatives(); ++alternative) {
            if (alternative == old) {
                continue;
            }
            const std::uint64_t own = runsOf_[article] - runs.runs(old) + runs.runs(alternative);
            Score mine;
            for (std::size_t y = 0; y < k; ++y) {
                if (y == article) {
                    continue;
                }
                const std::uint16_t theirs = at(y, g);
                const std::uint64_t shared =
                    pair(article, y) - runs.shared(old, theirs) + runs.shared(alternative, theirs);
                const std::uint64_t both = own + runsOf_[y];
                mine.add(both == 0 ? 0.0 : 2.0 * double(shared) / double(both));
            }
            cost += std::int64_t(k);
            Score after;
            after.highest = std::max(rest.highest, mine.highest);
            after.atHighest = (rest.highest == after.highest ? rest.atHighest : 0) +
                              (mine.highest == after.highest ? mine.atHighest : 0);
            after.squares = rest.squares + mine.squares;
            after.sum = rest.sum + mine.sum;
            if (after < best) {
                changed[g] = alternative;
                const std::uint64_t hash = hash_[article] ^ key(g, old) ^ key(g, alternative);
                if (!taken(hash, changed.data(), article)) {
                    best = after;
                    bestGroup = g;
                    bestAlternative = alternative;
                }
                changed[g] = old;
            }
        }
    }
    spend(cost);
    if (bestGroup < groups) {
        move(article, bestGroup, bestAlternative);
        current = best;
        return true;
    }
    // Nothing helps: a change at random, that the search may find its way
    // out of where it is.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::size_t g = tried[random_.below(tried.size())];
        const std::uint16_t old = at(article, g);
        const std::size_t count = runs_[groups_[g]].alternatives();
        const auto alternative = std::uint16_t((old + 1 + random_.below(count - 1)) % count);
        changed[g] = alternative;
        if (!taken(hash_[article] ^ key(g, old) ^ key(g, alternative), changed.data(), article)) {
            move(article, g, alternative);
            current = score();
            spend(std::int64_t(k * k / 2));
            return false;
        }
        changed[g] = old;
    }
    return false;
}

bool BatchSearch::improve(std::optional<int> limitPercent) {
    if (articles_ < 2 || groups_.empty() || articles_ == different_) {
        // Nothing to choose: every article the text gives is in the batch.
        return !limitPercent || within(*limitPercent);
    }
    Score current = score();
    Score best = current;
    std::optional<Saved> saved;
    int stalled = 0;
    int sinceBest = 0;
    for (; sinceBest < kHopelessSteps; ++sinceBest) {
        if (limitPercent && current.highest <= *limitPercent / 100.0 + 1e-9 &&
            within(*limitPercent)) {
            return true;
        }
        // Where every pair shares about as much as the mean, no change can
        // lower the highest without lowering the mean, which the code of
        // the first batch keeps low already.
        const double pairs = double(articles_) * double(articles_ - 1) / 2;
        if (current.highest <= current.sum / pairs + kCloseToMean || !spend(0)) {
            break;
        }
        const bool wasBest = !(best < current) && !(current < best);
        if (!saved && wasBest) {
            // Kept before a step that may leave the best behind.
            saved = Saved{choice_, runsOf_, shared_, hash_};
        }
        step(current);
        if (current < best) {
            best = current;
            saved.reset();
            stalled = 0;
            sinceBest = 0;
        } else if (++stalled > kStallSteps && saved) {
            restore(*saved);
            current = best;
            stalled = 0;
        }
    }
    if (best < current && saved) {
        restore(*saved);
    }
    return !limitPercent || within(*limitPercent);
}

void BatchSearch::restore(const Saved& saved) {
    choice_ = saved.choice;
    runsOf_ = saved.runsOf;
    shared_ = saved.shared;
    hash_ = saved.hash;
    byHash_.clear();
    for (std::size_t a = 0; a < articles_; ++a) {
        byHash_.emplace(hash_[a], a);
    }
}

bool BatchSearch::within(int limitPercent) const {
    for (std::size_t a = 0; a < articles_; ++a) {
        for (std::size_t b = a + 1; b < articles_; ++b) {
            if (!Share{pair(a, b), runsOf_[a] + runsOf_[b]}.atMost(limitPercent)) {
                return false;
            }
        }
    }
    return true;
}

SetShares BatchSearch::measured() const {
    std::vector<std::vector<Share>> shares(articles_);
    for (std::size_t a = 0; a < articles_; ++a) {
        for (std::size_t b = a + 1; b < articles_; ++b) {
            shares[a].push_back({pair(a, b), runsOf_[a] + runsOf_[b]});
        }
    }
    return sharesOf(shares);
}

std::vector<ArticleChoice> BatchSearch::articles() const {
    std::vector<ArticleChoice> all(articles_, ArticleChoice(runs_.size(), 0));
    for (std::size_t a = 0; a < articles_; ++a) {
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            all[a][groups_[g]] = at(a, g);
        }
    }
    return all;
}

}  // namespace kestrelwick

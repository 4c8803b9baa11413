// The set of articles that the batch search works on: adding, changing and
// removing articles with the runs each pair shares kept up to date, and the
// first batch built as a code, one article at a time against those before
// it, or at random; each article one that the set does not hold yet.

#include <algorithm>
#include <map>

#include "processing/batch_search.h"

namespace kestrelwick {

namespace {

__extension__ using Wide = unsigned __int128;

}  // namespace

BatchSearch::BatchSearch(const SpinChoices& choices, const std::vector<GroupRuns>& runs,
                         std::uint64_t seed, std::int64_t work, BatchProgress* progress)
    : runs_(runs),
      random_(seed),
      keySeed_(mixBits(seed ^ 0x6a09e667f3bcc909u)),
      work_(work),
      progress_(progress),
      nextAsk_(work - kAskEvery) {
    // Groups of one alternative multiply by one: the same number.
    different_ = choices.keptArticles();
    for (std::size_t g = 0; g < choices.groups.size(); ++g) {
        if (runs[g].alternatives() > 1) {
            groups_.push_back(g);
        } else {
            fixedRuns_ += runs[g].runs(0);
        }
    }
}

std::uint64_t BatchSearch::key(std::size_t group, std::uint16_t alternative) const {
    return mixBits(keySeed_ + ((std::uint64_t(group) << 16) | alternative) * 0x9e3779b97f4a7c15u);
}

bool BatchSearch::taken(std::uint64_t hash, const std::uint16_t* choice, std::size_t skip) const {
    const std::size_t groups = groups_.size();
    for (auto [at, last] = byHash_.equal_range(hash); at != last; ++at) {
        if (at->second != skip &&
            std::equal(choice, choice + groups, choice_.data() + at->second * groups)) {
            return true;
        }
    }
    return false;
}

void BatchSearch::reserve(std::size_t articles) {
    if (articles <= capacity_) {
        return;
    }
    const std::size_t capacity = std::max(articles, 2 * capacity_);
    std::vector<std::uint64_t> shared(capacity * capacity, 0);
    for (std::size_t a = 0; a < articles_; ++a) {
        std::copy_n(shared_.data() + a * capacity_, articles_, shared.data() + a * capacity);
    }
    shared_.swap(shared);
    capacity_ = capacity;
}

void BatchSearch::push(const std::vector<std::uint16_t>& choice) {
    reserve(articles_ + 1);
    const std::size_t k = articles_;
    const std::size_t groups = groups_.size();
    choice_.insert(choice_.end(), choice.begin(), choice.end());
    std::uint64_t own = fixedRuns_;
    std::uint64_t hash = 0;
    for (std::size_t g = 0; g < groups; ++g) {
        own += runs_[groups_[g]].runs(choice[g]);
        hash ^= key(g, choice[g]);
    }
    runsOf_.push_back(own);
    for (std::size_t y = 0; y < k; ++y) {
        std::uint64_t shared = fixedRuns_;
        for (std::size_t g = 0; g < groups; ++g) {
            shared += runs_[groups_[g]].shared(choice[g], at(y, g));
        }
        pair(k, y) = shared;
        pair(y, k) = shared;
    }
    pair(k, k) = own;
    hash_.push_back(hash);
    byHash_.emplace(hash, k);
    ++articles_;
    spend(std::int64_t(groups * (k + 1)));
}

void BatchSearch::removeLast() {
    const std::size_t last = --articles_;
    for (auto [at, end] = byHash_.equal_range(hash_[last]); at != end; ++at) {
        if (at->second == last) {
            byHash_.erase(at);
            break;
        }
    }
    hash_.pop_back();
    runsOf_.pop_back();
    choice_.resize(articles_ * groups_.size());
}

void BatchSearch::move(std::size_t article, std::size_t group, std::uint16_t alternative) {
    const GroupRuns& runs = runs_[groups_[group]];
    const std::uint16_t old = at(article, group);
    for (std::size_t y = 0; y < articles_; ++y) {
        if (y != article) {
            const std::uint16_t theirs = at(y, group);
            const std::uint64_t shared =
                pair(article, y) - runs.shared(old, theirs) + runs.shared(alternative, theirs);
            pair(article, y) = shared;
            pair(y, article) = shared;
        }
    }
    runsOf_[article] = runsOf_[article] - runs.runs(old) + runs.runs(alternative);
    pair(article, article) = runsOf_[article];
    for (auto [at, end] = byHash_.equal_range(hash_[article]); at != end; ++at) {
        if (at->second == article) {
            byHash_.erase(at);
            break;
        }
    }
    hash_[article] ^= key(group, old) ^ key(group, alternative);
    byHash_.emplace(hash_[article], article);
    at(article, group) = alternative;
}

void BatchSearch::makeUnique(std::vector<std::uint16_t>& choice) {
    const std::size_t groups = groups_.size();
    const auto hashOf = [&] {
        std::uint64_t hash = 0;
        for (std::size_t g = 0; g < groups; ++g) {
            hash ^= key(g, choice[g]);
        }
        return hash;
    };
    // A few changes at random find a new article at once unless the batch
    // holds most of those the text gives.
    for (int attempt = 0; attempt < 64 && taken(hashOf(), choice.data(), articles_); ++attempt) {
        const std::size_t g = random_.below(groups);
        choice[g] = std::uint16_t(random_.below(runs_[groups_[g]].alternatives()));
    }
    if (!taken(hashOf(), choice.data(), articles_)) {
        return;
    }
    // Otherwise the articles in turn from a random one, counted as numbers
    // with a digit per group: fewer are in the batch than there are.
    std::uint64_t number = random_.next() % different_;
    for (;; number = (number + 1) % different_) {
        std::uint64_t rest = number;
        for (std::size_t g = 0; g < groups; ++g) {
            const std::size_t count = runs_[groups_[g]].alternatives();
            choice[g] = std::uint16_t(rest % count);
            rest /= count;
        }
        if (!taken(hashOf(), choice.data(), articles_)) {
            return;
        }
    }
}

void BatchSearch::addRandom() {
    std::vector<std::uint16_t> choice(groups_.size());
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        choice[g] = std::uint16_t(random_.below(runs_[groups_[g]].alternatives()));
    }
    makeUnique(choice);
    push(choice);
}

void BatchSearch::addCoded(std::size_t count) {
    // Article t is t written in base m; a group of m alternatives takes the
    // alternative a . digits(t) + c (mod m). Two articles agree in the group
    // where a is at right angles to the difference of their digits, so the
    // groups of one m take the directions a in turn, each one as often: for a
    // prime m every pair then agrees in close to 1 / m of them. Nine articles
    // of four groups of three are the ternary code in which any two agree in
    // exactly one group.
    struct Code {
        std::size_t digits = 1;
        std::vector<std::vector<std::uint16_t>> directions;
        std::size_t next = 0;
    };
    std::map<std::size_t, Code> codes;
    const std::size_t groups = groups_.size();
    std::vector<std::vector<std::uint16_t>> direction(groups);
    std::vector<std::uint16_t> offset(groups);
    constexpr std::size_t kMostDirections = 4096;
    for (std::size_t g = 0; g < groups; ++g) {
        const std::size_t m = runs_[groups_[g]].alternatives();
        Code& code = codes[m];
        if (code.directions.empty()) {
            std::size_t all = m;
            while (all < count) {
                all *= m;
                ++code.digits;
            }
            if (all <= kMostDirections * (m - 1)) {
                // Every direction once: its first digit that is not 0 is 1.
                for (std::size_t number = 1; number < all; ++number) {
                    std::vector<std::uint16_t> digits(code.digits);
                    std::size_t rest = number;
                    for (std::uint16_t& digit : digits) {
                        digit = std::uint16_t(rest % m);
                        rest /= m;
                    }
                    if (*std::find_if(digits.begin(), digits.end(),
                                      [](auto d) { return d != 0; }) == 1) {
                        code.directions.push_back(std::move(digits));
                    }
                }
                for (std::size_t i = code.directions.size(); i > 1; --i) {
                    std::swap(code.directions[i - 1], code.directions[random_.below(i)]);
                }
            }
        }
        if (code.directions.empty()) {
            // Too many to take in turn: one at random.
            direction[g].resize(code.digits);
            for (std::uint16_t& digit : direction[g]) {
                digit = std::uint16_t(random_.below(m));
            }
            direction[g][0] = 1;
        } else {
            direction[g] = code.directions[code.next++ % code.directions.size()];
        }
        offset[g] = std::uint16_t(random_.below(m));
    }
    std::vector<std::uint16_t> choice(groups);
    for (std::size_t t = 0; t < count; ++t) {
        for (std::size_t g = 0; g < groups; ++g) {
            const std::size_t m = runs_[groups_[g]].alternatives();
            std::size_t sum = offset[g];
            std::size_t rest = t;
            for (const std::uint16_t a : direction[g]) {
                sum += a * (rest % m);
                rest /= m;
            }
            choice[g] = std::uint16_t(sum % m);
        }
        makeUnique(choice);
        push(choice);
        if (cancelled_) {
            return;
        }
    }
}

void BatchSearch::addSpread() {
    const std::size_t k = articles_;
    const std::size_t groups = groups_.size();
    std::int64_t cost = 0;
    for (const std::size_t g : groups_) {
        cost += std::int64_t(runs_[g].alternatives() * k);
    }
    if (k == 0 || cost > work_ / 2) {
        addRandom();
        return;
    }
    // Group by group, the alternative that adds least to the sum of the
    // squares of what the new article shares with each earlier one; ties go
    // to any of them alike.
    std::vector<std::uint64_t> sharedSoFar(k, fixedRuns_);
    std::vector<std::uint16_t> choice(groups);
    for (std::size_t g = 0; g < groups; ++g) {
        const GroupRuns& group = runs_[groups_[g]];
        Wide least = 0;
        std::size_t ties = 0;
        for (std::uint16_t alternative = 0; alternative < group.alternatives(); ++alternative) {
            Wide added = 0;
            for (std::size_t y = 0; y < k; ++y) {
                const std::uint64_t more = group.shared(alternative, at(y, g));
                added += Wide(more) * (2 * Wide(sharedSoFar[y]) + more);
            }
            if (ties == 0 || added < least) {
                least = added;
                ties = 1;
                choice[g] = alternative;
            } else if (added == least && random_.below(++ties) == 0) {
                choice[g] = alternative;
            }
        }
        for (std::size_t y = 0; y < k; ++y) {
            sharedSoFar[y] += group.shared(choice[g], at(y, g));
        }
    }
    spend(cost);
    makeUnique(choice);
    push(choice);
}

}  // namespace kestrelwick

#include "processing/batch_search.h"

#include <algorithm>

namespace kestrelwick {

namespace {

// Groups whose alternatives one step of the search tries, where the text
// has more: a sample, so that a step costs little however long the text;
// most of them where the pair to part shares runs, as only a change there
// can lower its share.
constexpr std::size_t kGroupsPerStep = 48;
constexpr std::size_t kSharingGroups = 36;
// Steps without a better batch before the search goes back to the best,
// and before it gives up.
constexpr int kStallSteps = 64;
constexpr int kHopelessSteps = 1024;

}  // namespace

void BatchSearch::Score::add(double share) {
    if (share > highest || atHighest == 0) {
        highest = share;
        atHighest = 0;
    }
    atHighest += share == highest ? 1 : 0;
    squares += share * share;
}

void BatchSearch::Score::addWritten(double share) {
    if (share > written || atWritten == 0) {
        written = share;
        atWritten = 0;
    }
    atWritten += share == written ? 1 : 0;
}

BatchSearch::Score BatchSearch::Score::merged(const Score& a, const Score& b) {
    Score both;
    both.highest = std::max(a.highest, b.highest);
    both.atHighest = (a.highest == both.highest ? a.atHighest : 0) +
                     (b.highest == both.highest ? b.atHighest : 0);
    both.written = std::max(a.written, b.written);
    both.atWritten = (a.written == both.written ? a.atWritten : 0) +
                     (b.written == both.written ? b.atWritten : 0);
    both.squares = a.squares + b.squares;
    return both;
}

bool BatchSearch::Score::operator<(const Score& other) const {
    // Equal fractions give equal quotients, so ties in the highest shares
    // are exact; the squares only break ties, and a difference within
    // rounding is none.
    if (highest != other.highest) {
        return highest < other.highest;
    }
    if (atHighest != other.atHighest) {
        return atHighest < other.atHighest;
    }
    if (written != other.written) {
        return written < other.written;
    }
    if (atWritten != other.atWritten) {
        return atWritten < other.atWritten;
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
    return shareOf(pair(a, b), runsOf_[a] + runsOf_[b]);
}

double BatchSearch::writtenShare(std::size_t a, std::size_t w) const {
    return shareOf(sharedWritten_[a * writtenCount_ + w], runsOf_[a] + writtenRuns_[w]);
}

BatchSearch::Score BatchSearch::score() const {
    Score score;
    for (std::size_t a = 0; a < articles_; ++a) {
        for (std::size_t b = a + 1; b < articles_; ++b) {
            score.add(share(a, b));
        }
        for (std::size_t w = 0; w < writtenCount_; ++w) {
            score.addWritten(writtenShare(a, w));
        }
    }
    return score;
}

std::vector<std::size_t> BatchSearch::groupsToTry(std::size_t article,
                                                  const std::uint16_t* partner) {
    const std::size_t groups = groups_.size();
    sharing_.clear();
    rest_.clear();
    const std::uint16_t* mine = choice_.data() + article * groups;
    for (std::size_t g = 0; g < groups; ++g) {
        (runs_[groups_[g]].shared(mine[g], partner[g]) > 0 ? sharing_ : rest_).push_back(g);
    }
    spend(std::int64_t(groups));
    if (groups <= kGroupsPerStep) {
        sharing_.insert(sharing_.end(), rest_.begin(), rest_.end());
        return sharing_;
    }
    // A sample of the groups where the two share runs, and one of the rest.
    const auto sample = [&](std::vector<std::size_t>& from, std::size_t count) {
        count = std::min(count, from.size());
        for (std::size_t i = 0; i < count; ++i) {
            std::swap(from[i], from[i + random_.below(from.size() - i)]);
        }
        from.resize(count);
    };
    sample(sharing_, kSharingGroups);
    sample(rest_, kGroupsPerStep - sharing_.size());
    sharing_.insert(sharing_.end(), rest_.begin(), rest_.end());
    return sharing_;
}

bool BatchSearch::step(Score& current) {
    const std::size_t k = articles_;
    const std::size_t groups = groups_.size();
    // The pair to part: two articles at the highest share, any of them
    // alike; now and then, and whenever they share nothing, an article and
    // a written one at the highest share with those.
    std::size_t article = k;
    const std::uint16_t* partner = nullptr;
    std::size_t found = 0;
    const bool toWritten =
        writtenCount_ > 0 && current.written > 0 && (current.highest == 0 || random_.below(4) == 0);
    for (std::size_t a = 0; a < k; ++a) {
        for (std::size_t b = a + 1; b < k && !toWritten; ++b) {
            if (share(a, b) == current.highest && random_.below(++found) == 0) {
                const bool first = random_.below(2) == 0;
                article = first ? a : b;
                partner = choice_.data() + (first ? b : a) * groups;
            }
        }
        for (std::size_t w = 0; w < writtenCount_ && toWritten; ++w) {
            if (writtenShare(a, w) == current.written && random_.below(++found) == 0) {
                article = a;
                partner = writtenChosen_.data() + w * groups;
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
        for (std::size_t w = 0; w < writtenCount_ && a != article; ++w) {
            rest.addWritten(writtenShare(a, w));
        }
    }
    spend(std::int64_t(k * (k + writtenCount_)));
    const std::vector<std::size_t> tried = groupsToTry(article, partner);

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
                if (y != article) {
                    const std::uint16_t theirs = at(y, g);
                    mine.add(shareOf(pair(article, y) - runs.shared(old, theirs) +
                                         runs.shared(alternative, theirs),
                                     own + runsOf_[y]));
                }
            }
            for (std::size_t w = 0; w < writtenCount_; ++w) {
                const std::uint16_t theirs = writtenChosen_[w * groups + g];
                mine.addWritten(shareOf(sharedWritten_[article * writtenCount_ + w] -
                                            runs.shared(old, theirs) +
                                            runs.shared(alternative, theirs),
                                        own + writtenRuns_[w]));
            }
            cost += std::int64_t(k + writtenCount_);
            const Score after = Score::merged(rest, mine);
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
            spend(std::int64_t(k * (k + writtenCount_) / 2));
            return false;
        }
        changed[g] = old;
    }
    return false;
}

bool BatchSearch::improve(std::optional<int> limitPercent) {
    if (articles_ == 0 || groups_.empty() || articles_ + writtenCount_ == different_) {
        // Nothing to choose: every article the text gives is taken.
        return !limitPercent || within(*limitPercent);
    }
    Score current = score();
    Score best = current;
    sinceBest_.clear();
    keepChanges_ = true;
    int stalled = 0;
    bool reached = false;
    for (int sinceBest = 0; sinceBest < kHopelessSteps && !reached; ++sinceBest) {
        reached = limitPercent && current.highest <= *limitPercent / 100.0 + 1e-9 &&
                  current.written <= *limitPercent / 100.0 + 1e-9 && within(*limitPercent);
        if (reached) {
            break;
        }
        if ((current.highest == 0 && current.written == 0) || !spend(0)) {
            break;
        }
        step(current);
        if (current < best) {
            best = current;
            sinceBest_.clear();
            stalled = 0;
            sinceBest = 0;
        } else if (++stalled > kStallSteps) {
            goBack();
            current = best;
            stalled = 0;
        }
    }
    if (best < current && !reached) {
        goBack();
    }
    keepChanges_ = false;
    return reached || !limitPercent || within(*limitPercent);
}

void BatchSearch::goBack() {
    keepChanges_ = false;
    for (auto change = sinceBest_.rbegin(); change != sinceBest_.rend(); ++change) {
        move(change->article, change->group, change->alternative);
    }
    spend(std::int64_t(sinceBest_.size() * articles_));
    sinceBest_.clear();
    keepChanges_ = true;
}

bool BatchSearch::within(int limitPercent) const {
    for (std::size_t a = 0; a < articles_; ++a) {
        for (std::size_t b = a + 1; b < articles_; ++b) {
            if (!Share{pair(a, b), runsOf_[a] + runsOf_[b]}.atMost(limitPercent)) {
                return false;
            }
        }
        for (std::size_t w = 0; w < writtenCount_; ++w) {
            if (!Share{sharedWritten_[a * writtenCount_ + w], runsOf_[a] + writtenRuns_[w]}.atMost(
                    limitPercent)) {
                return false;
            }
        }
    }
    return true;
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

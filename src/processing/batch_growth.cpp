// Growing the batch search's set within a share limit: the articles of the
// linear code and then every article the text gives, each kept where it
// fits, and an added article moved until it fits.

#include <algorithm>

#include "processing/batch_search.h"

namespace kestrelwick {

namespace {

// Steps that placing one article may take.
constexpr int kPlacingSteps = 32;

}  // namespace

bool BatchSearch::fits(const std::vector<std::uint16_t>& choice, int limitPercent) {
    const std::size_t groups = groups_.size();
    if (taken(hashOf(choice.data()), choice.data(), articles_)) {
        return false;
    }
    std::uint64_t own = fixedRuns_;
    for (std::size_t g = 0; g < groups; ++g) {
        own += runs_[groups_[g]].runs(choice[g]);
    }
    // The written articles first, then the set from its newest: those most
    // likely to share too much.
    for (std::size_t i = 0; i < writtenCount_ + articles_; ++i) {
        const bool written = i < writtenCount_;
        const std::size_t y = written ? i : articles_ - 1 - (i - writtenCount_);
        const std::uint16_t* theirs =
            written ? writtenChosen_.data() + y * groups : choice_.data() + y * groups;
        std::uint64_t shared = fixedRuns_;
        for (std::size_t g = 0; g < groups; ++g) {
            shared += runs_[groups_[g]].shared(choice[g], theirs[g]);
        }
        spend(std::int64_t(groups));
        if (!Share{shared, own + (written ? writtenRuns_[y] : runsOf_[y])}.atMost(limitPercent)) {
            return false;
        }
    }
    return true;
}

void BatchSearch::addCodedWithin(std::size_t count, int limitPercent) {
    const LinearCode code = linearCodeOf(runs_, groups_, written_, count, random_);
    std::vector<std::uint16_t> choice(groups_.size());
    for (std::size_t t = 0; t < count && articles_ < count && workLeft(); ++t) {
        code.article(t, choice.data());
        if (fits(choice, limitPercent)) {
            push(choice);
        }
    }
}

void BatchSearch::addEveryWithin(std::size_t count, int limitPercent) {
    // In turn from a random one, as numbers with a digit per group.
    const std::uint64_t start = random_.next() % different_;
    std::vector<std::uint16_t> choice(groups_.size());
    for (std::uint64_t i = 0; i < different_ && articles_ < count && workLeft(); ++i) {
        std::uint64_t rest = (start + i) % different_;
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            choice[g] = std::uint16_t(rest % runs_[groups_[g]].alternatives());
            rest /= runs_[groups_[g]].alternatives();
        }
        if (fits(choice, limitPercent)) {
            push(choice);
        }
    }
}

std::pair<std::size_t, double> BatchSearch::overLimit(std::size_t group, std::uint16_t alternative,
                                                      double limit) const {
    const std::size_t last = articles_ - 1;
    const GroupRuns& runs = runs_[groups_[group]];
    const std::uint16_t old = at(last, group);
    const std::uint64_t own = runsOf_[last] - runs.runs(old) + runs.runs(alternative);
    std::size_t over = 0;
    double highest = 0;
    const auto count = [&](std::uint64_t shared, std::uint16_t theirs, std::uint64_t runs2) {
        const double share = shareOf(
            shared - runs.shared(old, theirs) + runs.shared(alternative, theirs), own + runs2);
        over += share > limit ? 1 : 0;
        highest = std::max(highest, share);
    };
    for (std::size_t y = 0; y < last; ++y) {
        count(pair(last, y), at(y, group), runsOf_[y]);
    }
    for (std::size_t w = 0; w < writtenCount_; ++w) {
        count(sharedWritten_[last * writtenCount_ + w], writtenChosen_[w * groups_.size() + group],
              writtenRuns_[w]);
    }
    return {over, highest};
}

bool BatchSearch::placeLast(int limitPercent) {
    const std::size_t last = articles_ - 1;
    const std::size_t groups = groups_.size();
    const double limit = limitPercent / 100.0 + 1e-9;
    std::vector<std::uint16_t> changed(choice_.begin() + std::ptrdiff_t(last * groups),
                                       choice_.end());
    // Nothing to change where no group has a choice.
    auto now =
        groups == 0 ? std::pair<std::size_t, double>{0, 0.0} : overLimit(0, at(last, 0), limit);
    for (int step = 0; step < kPlacingSteps && now.first > 0 && spend(0); ++step) {
        // Where it shares with the first article it shares too much with.
        const std::uint16_t* partner = nullptr;
        for (std::size_t y = 0; y < last + writtenCount_ && partner == nullptr; ++y) {
            if ((y < last ? share(last, y) : writtenShare(last, y - last)) > limit) {
                partner = y < last ? choice_.data() + y * groups
                                   : writtenChosen_.data() + (y - last) * groups;
            }
        }
        auto best = now;
        std::size_t bestGroup = groups;
        std::uint16_t bestAlternative = 0;
        for (const std::size_t g : groupsToTry(last, partner)) {
            const std::uint16_t old = at(last, g);
            for (std::uint16_t a = 0; a < runs_[groups_[g]].alternatives(); ++a) {
                const auto after = a == old ? now : overLimit(g, a, limit);
                changed[g] = a;
                if (after < best &&
                    !taken(hash_[last] ^ key(g, old) ^ key(g, a), changed.data(), last)) {
                    best = after;
                    bestGroup = g;
                    bestAlternative = a;
                }
                changed[g] = old;
            }
            spend(std::int64_t(runs_[groups_[g]].alternatives() * (last + writtenCount_)));
        }
        if (bestGroup == groups) {
            break;
        }
        move(last, bestGroup, bestAlternative);
        changed[bestGroup] = bestAlternative;
        now = best;
    }
    // Exactly, as the steps were steered in floating point.
    for (std::size_t y = 0; y < last + writtenCount_ && now.first == 0; ++y) {
        const Share share = y < last ? Share{pair(last, y), runsOf_[last] + runsOf_[y]}
                                     : Share{sharedWritten_[last * writtenCount_ + y - last],
                                             runsOf_[last] + writtenRuns_[y - last]};
        now.first += share.atMost(limitPercent) ? 0 : 1;
    }
    return now.first == 0;
}

}  // namespace kestrelwick

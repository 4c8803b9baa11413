#include "processing/least_shared_pair.h"

#include <limits>

namespace kestrelwick {

namespace {

__extension__ using Cost = __int128;

constexpr Cost kNone = std::numeric_limits<std::int64_t>::max() * Cost{1} << 60;

// What a group offers a turn: for each kind of pair (what it settles), the
// cheapest pair of that kind.
struct Offer {
    std::uint8_t settles = 0;
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    Cost cost = 0;
};

struct Found {
    std::array<ArticleChoice, 2> pair;
    std::uint64_t shared = 0;  // S
    std::uint64_t runs = 0;    // R1 + R2
    Cost least = 0;            // q S - p (R1 + R2)
};

class PairTurns {
  public:
    PairTurns(const std::vector<GroupRuns>& runs, const std::vector<ArticleChoice>& written)
        : runs_(runs), written_(written), states_(std::size_t{2} << (2 * written.size())) {
        for (const GroupRuns& group : runs) {
            work_ += std::int64_t(group.alternatives() * group.alternatives() + 32 * states_);
        }
    }

    // The work of one turn.
    std::int64_t work() const { return work_; }

    // The pair that makes q S - p R least, or nothing where none fits.
    std::optional<Found> turn(std::uint64_t p, std::uint64_t q) const {
        const std::size_t groups = runs_.size();
        const std::size_t written = written_.size();
        std::vector<Cost> best(states_, kNone);
        std::vector<Cost> next(states_);
        // For each group and state reached: the state before and the offer.
        std::vector<std::uint8_t> before(groups * states_);
        std::vector<std::uint8_t> taken(groups * states_);
        std::vector<std::vector<Offer>> offers(groups);
        best[0] = 0;
        for (std::size_t g = 0; g < groups; ++g) {
            const GroupRuns& group = runs_[g];
            // What an alternative settles against the written articles.
            const auto apart = [&](std::size_t x) {
                std::size_t bits = 0;
                for (std::size_t w = 0; w < written; ++w) {
                    bits |= std::size_t(written_[w][g] != x) << w;
                }
                return bits;
            };
            std::vector<int> kind(states_, -1);
            for (std::size_t x = 0; x < group.alternatives(); ++x) {
                for (std::size_t y = 0; y < group.alternatives(); ++y) {
                    const auto settles =
                        std::uint8_t((x != y ? 1 : 0) | apart(x) << 1 | apart(y) << (1 + written));
                    const Cost cost =
                        Cost(q) * group.shared(x, y) - Cost(p) * (group.runs(x) + group.runs(y));
                    if (kind[settles] < 0) {
                        kind[settles] = int(offers[g].size());
                        offers[g].push_back({settles, std::uint16_t(x), std::uint16_t(y), cost});
                    } else if (cost < offers[g][std::size_t(kind[settles])].cost) {
                        offers[g][std::size_t(kind[settles])] = {settles, std::uint16_t(x),
                                                                 std::uint16_t(y), cost};
                    }
                }
            }
            std::fill(next.begin(), next.end(), kNone);
            for (std::size_t s = 0; s < states_; ++s) {
                if (best[s] == kNone) {
                    continue;
                }
                for (std::size_t o = 0; o < offers[g].size(); ++o) {
                    const std::size_t to = s | offers[g][o].settles;
                    if (best[s] + offers[g][o].cost < next[to]) {
                        next[to] = best[s] + offers[g][o].cost;
                        before[g * states_ + to] = std::uint8_t(s);
                        taken[g * states_ + to] = std::uint8_t(o);
                    }
                }
            }
            best.swap(next);
        }
        const std::size_t settled = states_ - 1;
        if (best[settled] == kNone) {
            return std::nullopt;
        }
        Found found;
        found.least = best[settled];
        found.pair = {ArticleChoice(groups), ArticleChoice(groups)};
        for (std::size_t g = groups, state = settled; g-- > 0;) {
            const Offer& offer = offers[g][taken[g * states_ + state]];
            found.pair[0][g] = offer.x;
            found.pair[1][g] = offer.y;
            found.shared += runs_[g].shared(offer.x, offer.y);
            found.runs += runs_[g].runs(offer.x) + runs_[g].runs(offer.y);
            state = before[g * states_ + state];
        }
        return found;
    }

  private:
    const std::vector<GroupRuns>& runs_;
    const std::vector<ArticleChoice>& written_;
    std::size_t states_;
    std::int64_t work_ = 0;
};

}  // namespace

std::optional<std::array<ArticleChoice, 2>> leastSharedPair(
    const std::vector<GroupRuns>& runs, const std::vector<ArticleChoice>& written,
    std::int64_t work) {
    const PairTurns turns(runs, written);
    // From a share of one half, which every pair is at or below (S is at
    // most half of R1 + R2), lower turn by turn.
    std::uint64_t p = 1;
    std::uint64_t q = 2;
    std::optional<Found> best;
    for (; work >= turns.work(); work -= turns.work()) {
        std::optional<Found> found = turns.turn(p, q);
        if (!found) {
            return std::nullopt;
        }
        if (best && found->least >= 0) {
            return best->pair;  // nothing shares less than best
        }
        best = std::move(found);
        if (best->runs == 0 || best->shared == 0) {
            return best->pair;  // nothing to share
        }
        p = best->shared;
        q = best->runs;
    }
    return std::nullopt;
}

}  // namespace kestrelwick

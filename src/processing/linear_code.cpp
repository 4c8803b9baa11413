#include "processing/linear_code.h"

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>

namespace kestrelwick {

namespace {

// The most differences whose planes are weighed, and the most work (digits
// multiplied) that weighing candidates may take for all groups: beyond
// them, directions are taken at random or in turn.
constexpr std::uint64_t kMostDifferences = std::uint64_t{1} << 18;
constexpr std::uint64_t kCodeWork = std::uint64_t{1} << 24;
// The fewest directions weighed for a group.
constexpr std::uint64_t kLeastSample = 8;
// The most articles times groups whose offsets are chosen to keep them
// apart from the written articles.
constexpr std::uint64_t kMostKeptApart = std::uint64_t{1} << 24;
// How many times each group's direction is looked at again, with the others
// all chosen.
constexpr std::size_t kSecondLooks = 1;

bool prime(std::size_t m) {
    for (std::size_t d = 2; d * d <= m; ++d) {
        if (m % d == 0) {
            return false;
        }
    }
    return m >= 2;
}

// The digits of number in base m, lowest first.
std::vector<std::uint16_t> digitsOf(std::uint64_t number, std::size_t m, std::size_t length) {
    std::vector<std::uint16_t> digits(length);
    for (std::uint16_t& digit : digits) {
        digit = std::uint16_t(number % m);
        number /= m;
    }
    return digits;
}

// Whether the first digit that is not 0 is 1: one direction of each line.
bool leading(const std::vector<std::uint16_t>& digits) {
    const auto first = std::find_if(digits.begin(), digits.end(), [](auto d) { return d != 0; });
    return first != digits.end() && *first == 1;
}

// The groups of one size m: their directions chosen together.
struct SizeClass {
    std::size_t m = 0;
    std::size_t length = 1;           // digits of an article's number
    std::vector<std::size_t> groups;  // heaviest first
};

// What the differences a direction would weigh down weigh already: the
// heaviest, how many are that heavy, and all together.
struct Weighed {
    std::uint64_t heaviest = 0;
    std::uint64_t atHeaviest = 0;
    std::uint64_t sum = 0;
    bool operator<(const Weighed& o) const {
        return heaviest != o.heaviest       ? heaviest < o.heaviest
               : atHeaviest != o.atHeaviest ? atHeaviest < o.atHeaviest
                                            : sum < o.sum;
    }
};

// The directions of one size, one of each line, and the differences of two
// articles' digits that are told apart (for a prime m one of each line, as
// a multiple agrees where it does), each with the weight of the groups
// whose directions are at right angles to it: where two articles whose
// digits differ by it agree.
class Loads {
  public:
    Loads(std::size_t m, std::size_t length, std::uint64_t all, SpinRandom& random)
        : length_(length) {
        const bool field = prime(m);
        for (std::uint64_t number = 1; number < all; ++number) {
            std::vector<std::uint16_t> digits = digitsOf(number, m, length);
            if (!field || leading(digits)) {
                apart_.insert(apart_.end(), digits.begin(), digits.end());
            }
            if (leading(digits)) {
                lines_.push_back(std::move(digits));
            }
        }
        // In an order of their own, so that the lines taken in turn are not
        // those of a smaller space first.
        for (std::size_t i = lines_.size(); i > 1; --i) {
            std::swap(lines_[i - 1], lines_[random.below(i)]);
        }
        load_.assign(apart_.size() / length, 0);
        uses_.assign(lines_.size(), 0);
        // Which sums of products of digits are multiples of m, looked up
        // rather than divided.
        multiple_.resize(length * (m - 1) * (m - 1) + 1);
        for (std::size_t sum = 0; sum < multiple_.size(); ++sum) {
            multiple_[sum] = sum % m == 0;
        }
    }

    std::size_t lines() const { return lines_.size(); }
    std::size_t differences() const { return load_.size(); }
    const std::vector<std::uint16_t>& line(std::size_t l) const { return lines_[l]; }
    // The line used least so far: the next in turn.
    std::size_t leastUsed() const {
        return std::size_t(std::min_element(uses_.begin(), uses_.end()) - uses_.begin());
    }

    Weighed weigh(std::size_t l) const {
        Weighed weighed;
        for (std::size_t u = 0; u < load_.size(); ++u) {
            if (atRightAngles(l, u)) {
                if (load_[u] > weighed.heaviest || weighed.atHeaviest == 0) {
                    weighed.heaviest = load_[u];
                    weighed.atHeaviest = 0;
                }
                weighed.atHeaviest += load_[u] == weighed.heaviest ? 1 : 0;
                weighed.sum += load_[u];
            }
        }
        return weighed;
    }
    void place(std::size_t l, std::uint64_t weight) { change(l, weight, 1); }
    void lift(std::size_t l, std::uint64_t weight) { change(l, -weight, std::uint64_t(-1)); }

  private:
    bool atRightAngles(std::size_t l, std::size_t u) const {
        std::size_t dot = 0;
        for (std::size_t i = 0; i < length_; ++i) {
            dot += std::size_t(lines_[l][i]) * apart_[u * length_ + i];
        }
        return multiple_[dot] != 0;
    }
    void change(std::size_t l, std::uint64_t weight, std::uint64_t use) {
        for (std::size_t u = 0; u < load_.size(); ++u) {
            load_[u] += atRightAngles(l, u) ? weight : 0;
        }
        uses_[l] += use;
    }

    std::size_t length_;
    std::vector<char> multiple_;
    std::vector<std::uint16_t> apart_;  // digits, one difference after another
    std::vector<std::vector<std::uint16_t>> lines_;
    std::vector<std::uint64_t> load_;
    std::vector<std::uint64_t> uses_;
};

}  // namespace

LinearCode::LinearCode(const std::vector<std::size_t>& sizes,
                       const std::vector<std::uint64_t>& weights, std::uint64_t count,
                       SpinRandom& random, const std::vector<std::vector<std::uint16_t>>& apart)
    : sizes_(sizes), directions_(sizes.size()), offsets_(sizes.size()) {
    std::map<std::size_t, SizeClass> classes;
    std::vector<std::size_t> order(sizes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return weights[a] > weights[b]; });
    for (const std::size_t g : order) {
        SizeClass& size = classes[sizes[g]];
        size.m = sizes[g];
        size.groups.push_back(g);
    }
    for (auto& [m, size] : classes) {
        std::uint64_t all = m;
        while (all < count && all <= std::numeric_limits<std::uint64_t>::max() / m) {
            all *= m;
            ++size.length;
        }
        const std::size_t length = size.length;
        if (all > kMostDifferences || all < count) {
            for (const std::size_t g : size.groups) {
                directions_[g] = digitsOf(random.next() % all, m, length);
                directions_[g][0] = 1;
            }
            continue;
        }
        Loads loads(m, length, all, random);
        const std::uint64_t perCandidate =
            loads.differences() * length * size.groups.size() * (1 + kSecondLooks);
        // Where there are fewer groups than directions, a few at least, so
        // that the directions do not all lie in a smaller space; with more,
        // those in turn alone are the simplex code, as even as can be.
        const std::uint64_t least = size.groups.size() < loads.lines() ? kLeastSample : 1;
        const std::size_t sample = std::size_t(
            std::min<std::uint64_t>(std::max(kCodeWork / perCandidate, least), loads.lines()));
        // Each group in turn takes the best of the next direction in turn,
        // its own (on a second look) and a sample.
        std::vector<std::size_t> chosen(sizes.size(), loads.lines());
        for (std::size_t look = 0; look <= kSecondLooks; ++look) {
            for (const std::size_t g : size.groups) {
                if (look > 0) {
                    loads.lift(chosen[g], weights[g]);
                }
                std::vector<std::size_t> candidates{loads.leastUsed()};
                if (look > 0) {
                    candidates.push_back(chosen[g]);
                }
                while (candidates.size() < sample) {
                    candidates.push_back(random.below(loads.lines()));
                }
                Weighed best;
                for (std::size_t c = 0; c < candidates.size(); ++c) {
                    const Weighed weighed = loads.weigh(candidates[c]);
                    if (c == 0 || weighed < best) {
                        best = weighed;
                        chosen[g] = candidates[c];
                    }
                }
                loads.place(chosen[g], weights[g]);
                directions_[g] = loads.line(chosen[g]);
            }
        }
    }
    for (std::size_t g = 0; g < sizes.size(); ++g) {
        offsets_[g] = std::uint16_t(random.below(sizes[g]));
    }
    keepApart(weights, count, apart);
}

void LinearCode::keepApart(const std::vector<std::uint64_t>& weights, std::uint64_t count,
                           const std::vector<std::vector<std::uint16_t>>& apart) {
    const std::size_t groups = sizes_.size();
    const std::size_t others = apart.size();
    if (others == 0 || groups == 0 || count * groups > kMostKeptApart) {
        return;
    }
    // Each article's alternative in each group but for the offset, and what
    // it weighs in all where it agrees with each of the others.
    std::vector<std::uint16_t> plain(std::size_t(count) * groups);
    std::vector<std::uint16_t> choice(groups);
    const std::vector<std::uint16_t> offsets = offsets_;
    std::fill(offsets_.begin(), offsets_.end(), std::uint16_t{0});
    for (std::uint64_t t = 0; t < count; ++t) {
        article(t, plain.data() + t * groups);
    }
    offsets_ = offsets;
    std::vector<std::uint64_t> agreed(std::size_t(count) * others, 0);
    const auto agrees = [&](std::uint64_t t, std::size_t g, std::size_t o, std::size_t offset) {
        return (plain[t * groups + g] + offset) % sizes_[g] == apart[o][g];
    };
    const auto change = [&](std::size_t g, std::size_t offset, bool add) {
        for (std::uint64_t t = 0; t < count; ++t) {
            for (std::size_t o = 0; o < others; ++o) {
                if (agrees(t, g, o, offset)) {
                    agreed[t * others + o] += add ? weights[g] : std::uint64_t(0) - weights[g];
                }
            }
        }
    };
    for (std::size_t g = 0; g < groups; ++g) {
        change(g, offsets_[g], true);
    }
    // Each group's offset in turn: the one after which the most any article
    // agrees with any other is least, and then the fewest agree that much.
    std::uint64_t work = 0;
    for (std::size_t look = 0; look <= kSecondLooks; ++look) {
        for (std::size_t g = 0; g < groups && work < kCodeWork; ++g) {
            change(g, offsets_[g], false);
            std::pair<std::uint64_t, std::uint64_t> best;
            for (std::size_t offset = 0; offset < sizes_[g]; ++offset) {
                std::pair<std::uint64_t, std::uint64_t> most{0, 0};
                for (std::uint64_t t = 0; t < count; ++t) {
                    for (std::size_t o = 0; o < others; ++o) {
                        const std::uint64_t after =
                            agreed[t * others + o] + (agrees(t, g, o, offset) ? weights[g] : 0);
                        most = after > most.first    ? std::pair(after, std::uint64_t{1})
                               : after == most.first ? std::pair(after, most.second + 1)
                                                     : most;
                    }
                }
                if (offset == 0 || most < best) {
                    best = most;
                    offsets_[g] = std::uint16_t(offset);
                }
            }
            change(g, offsets_[g], true);
            work += sizes_[g] * count * others;
        }
    }
}

void LinearCode::article(std::uint64_t t, std::uint16_t* choice) const {
    for (std::size_t g = 0; g < sizes_.size(); ++g) {
        const std::size_t m = sizes_[g];
        std::uint64_t sum = offsets_[g];
        std::uint64_t rest = t;
        for (const std::uint16_t a : directions_[g]) {
            sum += std::uint64_t(a) * (rest % m);
            rest /= m;
        }
        choice[g] = std::uint16_t(sum % m);
    }
}

LinearCode linearCodeOf(const std::vector<GroupRuns>& runs, const std::vector<std::size_t>& groups,
                        const std::vector<ArticleChoice>& apart, std::uint64_t count,
                        SpinRandom& random) {
    std::vector<std::size_t> sizes;
    std::vector<std::uint64_t> weights;
    for (const std::size_t g : groups) {
        sizes.push_back(runs[g].alternatives());
        weights.push_back(0);
        for (std::size_t a = 0; a < sizes.back(); ++a) {
            weights.back() += runs[g].runs(a);
        }
    }
    std::vector<std::vector<std::uint16_t>> kept(apart.size());
    for (std::size_t w = 0; w < apart.size(); ++w) {
        for (const std::size_t g : groups) {
            kept[w].push_back(apart[w][g]);
        }
    }
    return LinearCode(sizes, weights, count, random, kept);
}

}  // namespace kestrelwick

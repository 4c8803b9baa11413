#include "processing/article_spelling.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace kestrelwick {

namespace {

__extension__ using Wide = unsigned __int128;

constexpr std::uint64_t kPrime = (std::uint64_t{1} << 61) - 1;
// Any fixed number below the prime that is not small: the same fingerprints
// on every system.
constexpr std::uint64_t kBase = 0x0e3779b97f4a7c15u;

std::uint64_t times(std::uint64_t a, std::uint64_t b) {
    const Wide product = Wide(a) * b;
    const std::uint64_t folded = std::uint64_t(product & kPrime) + std::uint64_t(product >> 61);
    return folded >= kPrime ? folded - kPrime : folded;
}

std::uint64_t plus(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t sum = a + b;
    return sum >= kPrime ? sum - kPrime : sum;
}

// The pieces of one article in the order it reads: the text before the
// first group, the first group's alternative, and so on.
class Reading {
  public:
    Reading(const SpinChoices& choices, const ArticleChoice& article)
        : choices_(choices), article_(article) {
        load();
    }
    bool done() const { return piece_ > 2 * choices_.groups.size(); }
    std::u16string_view rest() const { return current_; }
    void advance(std::size_t units) {
        current_.remove_prefix(units);
        while (current_.empty() && !done()) {
            ++piece_;
            load();
        }
    }

  private:
    void load() {
        const auto& groups = choices_.groups;
        if (done()) {
            return;
        }
        const std::size_t g = piece_ / 2;
        if (piece_ % 2 == 1) {
            current_ = groups[g].alternatives[article_[g]];
            return;
        }
        const std::size_t from = g == 0 ? 0 : groups[g - 1].close + 1;
        const std::size_t to = g < groups.size() ? groups[g].open : choices_.text.size();
        current_ = choices_.text.substr(from, to - from);
    }

    const SpinChoices& choices_;
    const ArticleChoice& article_;
    std::size_t piece_ = 0;
    std::u16string_view current_;
};

}  // namespace

ArticleSpellings::ArticleSpellings(const SpinChoices& choices) : choices_(choices) {
    const auto pieceOf = [](std::u16string_view text) {
        Piece piece;
        for (const char16_t unit : text) {
            piece.hash = plus(times(piece.hash, kBase), std::uint64_t(unit) + 1);
            piece.shift = times(piece.shift, kBase);
        }
        return piece;
    };
    std::size_t plain = 0;
    for (const SpinChoices::Group& group : choices.groups) {
        plain_.push_back(pieceOf(choices.text.substr(plain, group.open - plain)));
        std::vector<Piece> alternatives;
        for (const std::u16string_view alternative : group.alternatives) {
            alternatives.push_back(pieceOf(alternative));
        }
        chosen_.push_back(std::move(alternatives));
        plain = group.close + 1;
    }
    plain_.push_back(pieceOf(choices.text.substr(plain)));
}

std::uint64_t ArticleSpellings::fingerprint(const ArticleChoice& article) const {
    const auto fold = [](std::uint64_t hash, const Piece& piece) {
        return plus(times(hash, piece.shift), piece.hash);
    };
    std::uint64_t hash = 0;
    for (std::size_t g = 0; g < chosen_.size(); ++g) {
        hash = fold(fold(hash, plain_[g]), chosen_[g][article[g]]);
    }
    return fold(hash, plain_.back());
}

bool ArticleSpellings::same(const ArticleChoice& a, const ArticleChoice& b) const {
    Reading first(choices_, a);
    Reading second(choices_, b);
    first.advance(0);
    second.advance(0);
    while (!first.done() && !second.done()) {
        const std::size_t units = std::min(first.rest().size(), second.rest().size());
        if (first.rest().substr(0, units) != second.rest().substr(0, units)) {
            return false;
        }
        first.advance(units);
        second.advance(units);
    }
    return first.done() && second.done();
}

std::vector<std::size_t> sameSpellings(const ArticleSpellings& spellings,
                                       const std::vector<ArticleChoice>& batch,
                                       const std::vector<ArticleChoice>& others) {
    // The articles read so far by fingerprint: the others first, then the
    // batch's, each as the place of its choice (others after the batch).
    std::unordered_multimap<std::uint64_t, std::size_t> read;
    const auto choiceAt = [&](std::size_t at) -> const ArticleChoice& {
        return at < batch.size() ? batch[at] : others[at - batch.size()];
    };
    const auto readBefore = [&](std::size_t at) {
        const std::uint64_t print = spellings.fingerprint(choiceAt(at));
        for (auto [seen, last] = read.equal_range(print); seen != last; ++seen) {
            if (spellings.same(choiceAt(seen->second), choiceAt(at))) {
                return true;
            }
        }
        read.emplace(print, at);
        return false;
    };
    for (std::size_t o = 0; o < others.size(); ++o) {
        readBefore(batch.size() + o);
    }
    std::vector<std::size_t> same;
    for (std::size_t a = 0; a < batch.size(); ++a) {
        if (readBefore(a)) {
            same.push_back(a);
        }
    }
    return same;
}

}  // namespace kestrelwick

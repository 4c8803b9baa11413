#include "processing/distinct_texts.h"

#include <algorithm>
#include <unordered_map>

#include "processing/spin_random.h"

namespace kestrelwick {

namespace {

// Changes of one group at random tried for an article, and articles read in
// turn after that, before it is left out.
constexpr int kRandomTries = 256;
constexpr std::uint64_t kMostInTurn = std::uint64_t{1} << 16;

// The texts of a batch so far, by fingerprint.
class Texts {
  public:
    explicit Texts(const ArticleSpellings& spellings) : spellings_(spellings) {}

    bool holds(const ArticleChoice& article) const {
        for (auto [at, last] = byPrint_.equal_range(spellings_.fingerprint(article)); at != last;
             ++at) {
            if (spellings_.same(*at->second, article)) {
                return true;
            }
        }
        return false;
    }
    void add(const ArticleChoice& article) {
        byPrint_.emplace(spellings_.fingerprint(article), &article);
    }

  private:
    const ArticleSpellings& spellings_;
    std::unordered_multimap<std::uint64_t, const ArticleChoice*> byPrint_;
};

}  // namespace

void spellApart(std::vector<ArticleChoice>& batch, const SpinChoices& choices,
                const std::vector<GroupRuns>& runs, const ArticleSpellings& spellings,
                const std::vector<ArticleChoice>& written, std::optional<int> limit,
                std::uint64_t seed) {
    const std::vector<std::size_t> same = sameSpellings(spellings, batch, written);
    if (same.empty()) {
        return;
    }
    // The articles stay where they are in memory until the end: the texts
    // point at them. Those to change are settled when changed, or left out.
    std::vector<bool> settled(batch.size(), true);
    for (const std::size_t a : same) {
        settled[a] = false;
    }
    Texts texts(spellings);
    for (const ArticleChoice& article : written) {
        texts.add(article);
    }
    for (std::size_t a = 0; a < batch.size(); ++a) {
        if (settled[a]) {
            texts.add(batch[a]);
        }
    }
    const auto fits = [&](const ArticleChoice& article) {
        if (texts.holds(article)) {
            return false;
        }
        if (!limit) {
            return true;
        }
        const auto within = [&](const ArticleChoice& other) {
            return shareOf(runs, article, other).atMost(*limit);
        };
        return std::all_of(written.begin(), written.end(), within) &&
               std::all_of(batch.begin(), batch.end(), [&](const ArticleChoice& other) {
                   return !settled[std::size_t(&other - batch.data())] || within(other);
               });
    };
    SpinRandom random(seed ^ 0x243f6a8885a308d3u);
    const std::size_t groups = choices.groups.size();
    const std::uint64_t kept = choices.keptArticles();
    for (const std::size_t a : same) {
        ArticleChoice article = batch[a];
        bool found = false;
        for (int attempt = 0; attempt < kRandomTries && !found && groups > 0; ++attempt) {
            const std::size_t g = random.below(groups);
            article[g] = std::uint16_t(random.below(runs[g].alternatives()));
            found = fits(article);
        }
        // The articles in turn from a random one, as numbers with a digit
        // per group.
        const std::uint64_t start = random.next() % kept;
        for (std::uint64_t i = 0; i < std::min(kept, kMostInTurn) && !found; ++i) {
            std::uint64_t rest = (start + i) % kept;
            for (std::size_t g = 0; g < groups; ++g) {
                article[g] = std::uint16_t(rest % runs[g].alternatives());
                rest /= runs[g].alternatives();
            }
            found = fits(article);
        }
        if (found) {
            batch[a] = std::move(article);
            texts.add(batch[a]);
            settled[a] = true;
        }
    }
    std::size_t staying = 0;
    for (std::size_t a = 0; a < batch.size(); ++a) {
        if (settled[a]) {
            if (staying != a) {
                batch[staying] = std::move(batch[a]);
            }
            ++staying;
        }
    }
    batch.resize(staying);
}

}  // namespace kestrelwick

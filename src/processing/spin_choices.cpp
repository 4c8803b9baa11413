#include "processing/spin_choices.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "processing/spinner.h"
#include "processing/wording.h"

namespace kestrelwick {

namespace {

// The product over the groups of what each counts, or the largest 64-bit
// number when it is larger.
template <typename Count>
std::uint64_t productOver(const std::vector<SpinChoices::Group>& groups, Count count) {
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t product = 1;
    for (const SpinChoices::Group& group : groups) {
        const std::uint64_t factor = count(group);
        if (factor > kLargest / product) {
            return kLargest;
        }
        product *= factor;
    }
    return product;
}

}  // namespace

std::uint64_t SpinChoices::articles() const {
    return productOver(groups, [](const Group& group) { return group.different; });
}

std::uint64_t SpinChoices::keptArticles() const {
    return productOver(groups,
                       [](const Group& group) { return std::uint64_t(group.alternatives.size()); });
}

std::u16string SpinChoices::article(const ArticleChoice& choice) const {
    std::u16string out;
    out.reserve(text.size());
    std::size_t plain = 0;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const Group& group = groups[g];
        out += text.substr(plain, group.open - plain);
        out += group.alternatives[choice[g]];
        plain = group.close + 1;
    }
    out += text.substr(plain);
    return out;
}

ArticleChoice SpinChoices::writtenArticle(std::size_t i) const {
    ArticleChoice choice(groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        choice[g] = groups[g].written[i];
    }
    return choice;
}

std::vector<ArticleChoice> SpinChoices::writtenArticles() const {
    std::vector<ArticleChoice> all;
    for (std::size_t i = 0; i < kArticleCount; ++i) {
        ArticleChoice choice = writtenArticle(i);
        if (std::find(all.begin(), all.end(), choice) == all.end()) {
            all.push_back(std::move(choice));
        }
    }
    return all;
}

OrRefusal<SpinChoices> readSpinChoices(std::u16string_view text, SpinFormat format,
                                       std::size_t keep) {
    keep = std::max(keep, kArticleCount);
    SpinChoices choices;
    choices.text = text;
    SpinScanner scanner(text, format);
    // The alternatives seen in a group, by hash, each confirmed by its text.
    std::unordered_multimap<std::uint64_t, std::u16string_view> seen;
    while (scanner.next()) {
        SpinChoices::Group group;
        group.open = scanner.open();
        group.close = scanner.close();
        seen.clear();
        const std::u16string_view body = scanner.body();
        const char16_t separator = scanner.marks().separator;
        for (std::size_t start = 0, written = 0;; ++written) {
            const std::size_t end = std::min(body.find(separator, start), body.size());
            const std::u16string_view alternative = body.substr(start, end - start);
            const std::uint64_t hash = wordingHash(alternative);
            bool known = false;
            for (auto [at, last] = seen.equal_range(hash); at != last && !known; ++at) {
                known = at->second == alternative;
            }
            if (!known) {
                seen.emplace(hash, alternative);
                ++group.different;
                if (group.alternatives.size() < keep) {
                    group.alternatives.push_back(alternative);
                }
            }
            if (written < kArticleCount) {
                // The first three alternatives as written are among the
                // first three different ones; the last written one stands
                // in for those a short group lacks.
                const auto number =
                    std::find(group.alternatives.begin(), group.alternatives.end(), alternative) -
                    group.alternatives.begin();
                std::fill(group.written.begin() + std::ptrdiff_t(written), group.written.end(),
                          std::uint16_t(number));
            }
            if (end == body.size()) {
                break;
            }
            start = end + 1;
        }
        choices.groups.push_back(std::move(group));
    }
    if (scanner.error()) {
        return *scanner.error();
    }
    return choices;
}

}  // namespace kestrelwick

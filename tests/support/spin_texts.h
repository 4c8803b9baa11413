#pragma once

// Spin texts for the tests of a batch of articles: read for many articles
// with their runs counted, made of wholly different versions, or drawn at
// random; every article such a text gives that a batch may take, told apart
// by its text; and the most of those no two of which share more than a
// limit, counted the slow way.

#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "processing/spinning.h"

namespace kestrelwick::testing {

// A spin text read back, its runs counted: what a batch is chosen from.
struct SpinTextRead {
    std::u16string text;
    SpinChoices choices;
    std::vector<GroupRuns> runs;

    explicit SpinTextRead(std::u16string spin, std::uint64_t count = 64) : text(std::move(spin)) {
        choices = std::get<SpinChoices>(
            readSpinChoices(text, SpinFormat::Ama, alternativesToKeep(count)));
        runs = countGroupRuns(choices);
    }
    Batch batch(std::uint64_t count, std::optional<int> limit = {}, std::uint64_t seed = 1,
                bool withWritten = false) const {
        return *chooseBatch(choices, runs, {count, limit, seed, withWritten});
    }
};

// Groups of the given versions, each wholly different from the others and
// of six words, so that a share is the groups two articles agree in.
inline std::u16string differentGroups(int groups, int versions = 3) {
    std::u16string text;
    for (int g = 0; g < groups; ++g) {
        text += u"{";
        for (int v = 0; v < versions; ++v) {
            text += v == 0 ? u"" : u"~";
            for (char16_t w = u'p'; w < u'v'; ++w) {
                text += std::u16string{char16_t(u'a' + v), w, char16_t(u'A' + g), u' '};
            }
        }
        text += u"}\r\n\r\n";
    }
    return text;
}

// Up to seven groups of up to four versions of a few words of seven, so
// that versions share runs, and are blank or alike now and then.
inline std::u16string randomSpinText(SpinRandom& random) {
    const std::u16string words[] = {u"dog", u"sit", u"stay", u"good", u"treat", u"walk", u"ball"};
    std::u16string spin;
    const std::size_t groups = 1 + random.below(7);
    for (std::size_t g = 0; g < groups; ++g) {
        spin += g == 0 ? u"{" : u" and {";
        const std::size_t versions = 1 + random.below(4);
        for (std::size_t v = 0; v < versions; ++v) {
            spin += v == 0 ? u"" : u"~";
            const std::size_t length = random.below(9);
            for (std::size_t w = 0; w < length; ++w) {
                spin += words[random.below(std::size(words))] + u" ";
            }
        }
        spin += u"}";
    }
    return spin;
}

// Every article the text gives but for those that read as a written one
// (unless withWritten), with its text.
struct ArticleRead {
    ArticleChoice choice;
    std::u16string text;
};
inline std::vector<ArticleRead> everyArticle(const SpinChoices& choices, bool withWritten) {
    std::set<std::u16string> written;
    for (std::size_t w = 0; w < kArticleCount && !withWritten; ++w) {
        written.insert(choices.article(choices.writtenArticle(w)));
    }
    std::vector<ArticleRead> all;
    for (std::uint64_t number = 0; number < choices.keptArticles(); ++number) {
        ArticleChoice article(choices.groups.size());
        std::uint64_t rest = number;
        for (std::size_t g = 0; g < article.size(); ++g) {
            article[g] = std::uint16_t(rest % choices.groups[g].alternatives.size());
            rest /= choices.groups[g].alternatives.size();
        }
        std::u16string text = choices.article(article);
        if (!written.contains(text)) {
            all.push_back({std::move(article), std::move(text)});
        }
    }
    return all;
}

// The most articles of different texts of which no two share more than the
// limit, nor one with a written one unless withWritten: every set tried,
// for a text of at most 64 articles.
inline std::size_t mostWithinByTrying(const SpinTextRead& text, int limit, bool withWritten) {
    std::vector<ArticleRead> could;
    for (ArticleRead& article : everyArticle(text.choices, withWritten)) {
        bool apart = true;
        for (std::size_t w = 0; w < kArticleCount && !withWritten; ++w) {
            apart =
                apart &&
                shareOf(text.runs, article.choice, text.choices.writtenArticle(w)).atMost(limit);
        }
        if (apart) {
            could.push_back(std::move(article));
        }
    }
    std::vector<std::uint64_t> joined(could.size(), 0);
    for (std::size_t a = 0; a < could.size(); ++a) {
        for (std::size_t b = 0; b < could.size(); ++b) {
            if (could[a].text != could[b].text &&
                shareOf(text.runs, could[a].choice, could[b].choice).atMost(limit)) {
                joined[a] |= std::uint64_t{1} << b;
            }
        }
    }
    std::size_t most = 0;
    const std::function<void(std::size_t, std::uint64_t)> grow = [&](std::size_t size,
                                                                     std::uint64_t left) {
        most = std::max(most, size);
        while (left != 0 && size + std::size_t(std::popcount(left)) > most) {
            const int next = std::countr_zero(left);
            left &= left - 1;
            grow(size + 1, left & joined[std::size_t(next)]);
        }
    };
    grow(0, could.size() == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << could.size()) - 1);
    return most;
}

}  // namespace kestrelwick::testing

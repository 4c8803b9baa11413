// The choice of a batch: cases worked by hand, and a property over random
// spin texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "processing/article_batch.h"

namespace kestrelwick {
namespace {

// A spin text read back, its runs counted: what a batch is chosen from.
struct Text {
    std::u16string text;
    SpinChoices choices;
    std::vector<GroupRuns> runs;

    explicit Text(std::u16string spin, std::uint64_t count = 64) : text(std::move(spin)) {
        choices = std::get<SpinChoices>(
            readSpinChoices(text, SpinFormat::Ama, alternativesToKeep(count)));
        runs = countGroupRuns(choices);
    }
    Batch batch(std::uint64_t count, std::optional<int> limit = {}, std::uint64_t seed = 1) const {
        return *chooseBatch(choices, runs, {count, limit, seed});
    }
};

// Groups of three wholly different versions of six words each.
std::u16string differentGroups(int groups) {
    std::u16string text;
    for (int g = 0; g < groups; ++g) {
        text += u"{";
        for (char16_t v = u'a'; v <= u'c'; ++v) {
            text += v == u'a' ? u"" : u"~";
            for (char16_t w = u'p'; w < u'v'; ++w) {
                text += std::u16string{v, w, char16_t(u'A' + g), u' '};
            }
        }
        text += u"}\r\n\r\n";
    }
    return text;
}

TEST(ArticleBatch, WorkedCases) {
    const struct {
        const char* name;
        std::u16string text;
        std::uint64_t count;
        std::optional<int> limit;
        std::size_t articles;
        const char16_t* summary;
    } cases[] = {
        {"three of wholly different versions share nothing",
         differentGroups(4),
         3,
         {},
         3,
         u"3 articles: any two share at most 0 % of their runs of four words, on average 0 %."},
        {"nine of four groups share one group in four",
         differentGroups(4),
         9,
         {},
         9,
         u"9 articles: any two share at most 25 % of their runs of four words, on average 25 %."},
        {"a group of one version is shared by every article",
         u"{w x y z}\r\n{a b~c d~e f}",
         3,
         {},
         3,
         u"3 articles: any two share at most 50 % of their runs of four words, on average 50 %."},
        {"no share at all: as many as the groups have versions", differentGroups(4), 81, 0, 3,
         u"3 articles: any two share at most 0 % of their runs of four words, on average 0 %."},
        {"one group in four: nine", differentGroups(4), 81, 25, 9,
         u"9 articles: any two share at most 25 % of their runs of four words, on average 25 %."},
        {"two groups in four: twenty-seven", differentGroups(4), 81, 50, 27, nullptr},
        {"any share: as many as asked", differentGroups(4), 40, 100, 40, nullptr},
        {"a single article",
         differentGroups(2),
         1,
         {},
         1,
         u"1 article: there is no second one to share its runs of four words."},
    };
    for (const auto& c : cases) {
        const Text text(c.text, c.count);
        const Batch batch = text.batch(c.count, c.limit);
        EXPECT_EQ(batch.articles.size(), c.articles) << c.name;
        if (c.summary != nullptr) {
            EXPECT_EQ(batch.summary(), c.summary) << c.name;
        }
        if (c.limit) {
            EXPECT_LE(batch.shares.highestPercent, *c.limit) << c.name;
        }
        EXPECT_EQ(std::set(batch.articles.begin(), batch.articles.end()).size(),
                  batch.articles.size())
            << c.name;
    }
    EXPECT_EQ(Text(differentGroups(4)).choices.articles(), 81u);
}

TEST(ArticleBatch, TheSameSeedGivesTheSameBatch) {
    const Text text(differentGroups(6));
    EXPECT_EQ(text.batch(20, {}, 7).articles, text.batch(20, {}, 7).articles);
    EXPECT_EQ(text.batch(50, 30, 7).articles, text.batch(50, 30, 7).articles);
}

// Over many random spin texts: every article is one the text gives, no two
// alike, the highest share never above the median of random batches of the
// same size, nor above the random batch of the same seed.
TEST(ArticleBatch, NeverWorseThanRandomBatches) {
    SpinRandom random(2024);
    const std::u16string words[] = {u"dog", u"sit", u"stay", u"good", u"treat", u"walk", u"ball"};
    for (int round = 0; round < 60; ++round) {
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
        const Text text(spin);
        const std::uint64_t articles = text.choices.articles();
        const std::uint64_t count = 2 + random.below(std::min<std::uint64_t>(articles, 30));
        if (count > articles) {
            continue;
        }
        const Batch batch = text.batch(count, {}, round);
        ASSERT_EQ(batch.articles.size(), count);
        std::set<std::u16string> seen;
        for (const ArticleChoice& article : batch.articles) {
            ASSERT_EQ(article.size(), text.choices.groups.size());
            for (std::size_t g = 0; g < article.size(); ++g) {
                ASSERT_LT(article[g], text.choices.groups[g].alternatives.size());
            }
            seen.insert(text.choices.article(article));
        }
        EXPECT_EQ(seen.size(), count) << "articles alike in " << round;

        std::vector<Share> drawn;
        for (std::uint64_t seed = 1000; seed < 1009; ++seed) {
            drawn.push_back(
                measureBatch(text.runs, randomBatch(text.choices, count, seed)).shares.highest);
        }
        std::sort(drawn.begin(), drawn.end());
        EXPECT_FALSE(drawn[drawn.size() / 2] < batch.shares.highest) << "round " << round;
        const Share sameSeed =
            measureBatch(text.runs, randomBatch(text.choices, count, round)).shares.highest;
        EXPECT_FALSE(sameSeed < batch.shares.highest) << "round " << round;
    }
}

}  // namespace
}  // namespace kestrelwick

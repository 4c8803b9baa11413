// The choice of a batch: cases worked by hand, and a property over random
// spin texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "processing/least_shared_pair.h"
#include "support/spin_texts.h"

namespace kestrelwick {
namespace {

using testing::differentGroups;
using testing::SpinTextRead;

// Groups of wholly different versions: a share is the groups two articles
// agree in, so each number is the least a code of that length allows. The
// written articles agree with every article in a group at least: in four
// groups, two with one of them.
TEST(ArticleBatch, WorkedCases) {
    constexpr int kAny = -1;
    const struct {
        const char* name;
        int groups;
        std::uint64_t count;
        std::optional<int> limit;
        bool withWritten;
        std::size_t articles;
        int highest;  // X
        int written;  // Z
    } cases[] = {
        {"two share nothing, and each the least with the written", 6, 2, {}, false, 2, 0, 33},
        {"three share nothing", 4, 3, {}, false, 3, 0, 50},
        {"nine of four groups share one group in four", 4, 9, {}, true, 9, 25, kAny},
        {"five of twenty groups: the Plotkin bound", 20, 5, {}, false, 5, 20, 35},
        {"no share at all: as many as the groups have versions", 4, 81, 0, true, 3, 0, kAny},
        {"one group in four: nine", 4, 81, 25, true, 9, 25, kAny},
        {"two groups in four: twenty-seven", 4, 81, 50, true, 27, 50, kAny},
        {"three in four: all", 4, 81, 75, true, 81, 75, kAny},
        {"apart from the written, none within a quarter", 4, 81, 25, false, 0, 0, 0},
        {"more than a code of distance two has: three in four", 4, 40, 100, false, 40, 75, kAny},
    };
    for (const auto& c : cases) {
        const SpinTextRead text(differentGroups(c.groups));
        const Batch batch = text.batch(c.count, c.limit, 1, c.withWritten);
        EXPECT_EQ(batch.articles.size(), c.articles) << c.name;
        EXPECT_EQ(batch.shares.highestPercent, c.highest) << c.name;
        EXPECT_TRUE(c.written == kAny || batch.writtenHighest.percent() == c.written) << c.name;
        EXPECT_FALSE(batch.mayFindMore) << c.name;
    }
}

TEST(ArticleBatch, TheSameSeedGivesTheSameBatch) {
    const SpinTextRead text(differentGroups(6));
    EXPECT_EQ(text.batch(20, {}, 7).articles, text.batch(20, {}, 7).articles);
    EXPECT_EQ(text.batch(50, 30, 7).articles, text.batch(50, 30, 7).articles);
}

// The written articles are kept apart unless asked: none is chosen, and
// with a limit none shares more with an article of the batch. Here an
// article has four runs, two in each group: the first two versions of the
// first group share one, the versions of the second none.
TEST(ArticleBatch, KeepsApartFromTheWrittenArticles) {
    // Written 2 and 3 take the same choice; written 1 reads as them.
    const SpinTextRead alike(u"{x~x y} {y z~z}");
    EXPECT_EQ(alike.choices.writtenArticles().size(), 2u);
    EXPECT_EQ(availableArticles(alike.choices, false), 2u);
    EXPECT_EQ(availableArticles(alike.choices, true), 4u);

    const SpinTextRead text(u"{a b c d e~a b c d f~g h i j k} and {l m n o p~q r s t u~v w x y z}");
    const struct {
        bool withWritten;
        std::optional<int> limit;
        std::size_t articles;
    } cases[] = {
        {false, {}, 6},  // all but the written
        {false, 60, 3},  // of 4 within 60 % of each written one
        {true, {}, 9},
        {true, 60, 6},
    };
    for (const auto& c : cases) {
        const Batch batch = text.batch(9, c.limit, 3, c.withWritten);
        EXPECT_EQ(batch.articles.size(), c.articles) << c.withWritten << c.limit.has_value();
        const std::set<ArticleChoice> chosen(batch.articles.begin(), batch.articles.end());
        for (std::size_t w = 0; w < kArticleCount && !c.withWritten; ++w) {
            EXPECT_FALSE(chosen.contains(text.choices.writtenArticle(w)));
            for (const ArticleShares& each : batch.each) {
                EXPECT_TRUE(!c.limit || each.written[w].atMost(*c.limit));
            }
        }
    }
}

// Two articles that read the same are never both chosen, nor one that reads
// as a written one: where the text reads as fewer, the batch is shorter.
TEST(ArticleBatch, NoTwoArticlesReadTheSame) {
    const SpinTextRead text(u"{x~x y} {y z~z}");
    const struct {
        std::uint64_t count;
        bool withWritten;
        std::set<std::u16string> texts;
    } cases[] = {
        {2, true, {u"x z", u"x y y z"}},  // not "x y z" twice, which shares nothing
        {4, true, {u"x y z", u"x z", u"x y y z"}},
        {2, false, {u"x z", u"x y y z"}},
    };
    for (const auto& c : cases) {
        std::set<std::u16string> texts;
        for (const ArticleChoice& article : text.batch(c.count, {}, 1, c.withWritten).articles) {
            texts.insert(text.choices.article(article));
        }
        EXPECT_EQ(texts, c.texts) << c.count;
    }
}

// The least share of two articles is found exactly: tried against every
// pair of articles of different texts on random spin texts.
TEST(ArticleBatch, TwoArticlesShareTheLeastThereIs) {
    SpinRandom random(77);
    for (int round = 0; round < 40; ++round) {
        const SpinTextRead text(testing::randomSpinText(random));
        const auto every = testing::everyArticle(text.choices, false);
        if (every.size() < 2 || every.size() > 300) {
            continue;
        }
        std::optional<Share> least;
        for (std::size_t a = 0; a < every.size(); ++a) {
            for (std::size_t b = a + 1; b < every.size(); ++b) {
                const Share share = shareOf(text.runs, every[a].choice, every[b].choice);
                if (every[a].text != every[b].text && (!least || share < *least)) {
                    least = share;
                }
            }
        }
        if (!least) {
            continue;  // every article reads the same
        }
        EXPECT_EQ(text.batch(2, {}, std::uint64_t(round)).shares.highest, *least) << round;
        const auto pair = leastSharedPair(text.runs, text.choices.writtenArticles(), 1 << 30);
        ASSERT_TRUE(pair) << round;
        EXPECT_FALSE(*least < shareOf(text.runs, (*pair)[0], (*pair)[1])) << round;
    }
}

// Over many random spin texts: every article is one the text gives, no two
// read the same and none as a written one, the highest share never above
// the median of random batches of the same size, nor above the random
// batch of the same seed.
TEST(ArticleBatch, NeverWorseThanRandomBatches) {
    SpinRandom random(2024);
    for (int round = 0; round < 60; ++round) {
        const SpinTextRead text(testing::randomSpinText(random));
        const std::uint64_t articles = availableArticles(text.choices, false);
        const std::uint64_t count = 2 + random.below(std::clamp<std::uint64_t>(articles, 1, 30));
        if (count > articles) {
            continue;
        }
        const Batch batch = text.batch(count, {}, std::uint64_t(round));
        std::set<std::u16string> texts;
        for (const testing::ArticleRead& article : testing::everyArticle(text.choices, false)) {
            texts.insert(article.text);
        }
        std::set<std::u16string> seen;
        for (const ArticleChoice& article : batch.articles) {
            ASSERT_EQ(article.size(), text.choices.groups.size());
            for (std::size_t g = 0; g < article.size(); ++g) {
                ASSERT_LT(article[g], text.choices.groups[g].alternatives.size());
            }
            EXPECT_TRUE(texts.contains(text.choices.article(article))) << "written in " << round;
            seen.insert(text.choices.article(article));
        }
        EXPECT_EQ(seen.size(), batch.articles.size()) << "alike in " << round;
        EXPECT_EQ(batch.articles.size(), std::min<std::size_t>(count, texts.size())) << round;
        if (batch.articles.size() < count) {
            continue;  // the text reads as fewer
        }
        std::vector<Share> drawn;
        for (std::uint64_t seed = 1000; seed < 1009; ++seed) {
            drawn.push_back(
                measureBatch(text.choices, text.runs, randomBatch(text.choices, count, seed))
                    ->shares.highest);
        }
        std::sort(drawn.begin(), drawn.end());
        EXPECT_FALSE(drawn[drawn.size() / 2] < batch.shares.highest) << "round " << round;
        const Share sameSeed = measureBatch(text.choices, text.runs,
                                            randomBatch(text.choices, count, std::uint64_t(round)))
                                   ->shares.highest;
        EXPECT_FALSE(sameSeed < batch.shares.highest) << "round " << round;
    }
}

// Past the batches that are searched, the linear code alone: no cliff.
TEST(ArticleBatch, ManyArticlesShareAboutAsMuchAsFewer) {
    const SpinTextRead text(differentGroups(9), 2100);
    const Batch fewer = text.batch(2000);
    const Batch more = text.batch(2100);
    EXPECT_EQ(std::set(more.articles.begin(), more.articles.end()).size(), 2100u);
    EXPECT_LE(more.shares.highestPercent, fewer.shares.highestPercent + 12);  // one group
    EXPECT_LT(
        more.shares.highest,
        measureBatch(text.choices, text.runs, randomBatch(text.choices, 2100, 1))->shares.highest);
}

}  // namespace
}  // namespace kestrelwick

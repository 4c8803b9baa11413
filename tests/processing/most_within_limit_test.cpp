// The most articles within a share limit: on spin texts small enough to try
// every set of articles, the batch holds as many as there can be, and says
// that the search was not cut short.

#include <gtest/gtest.h>

#include "support/spin_texts.h"

namespace kestrelwick {
namespace {

TEST(MostWithinLimit, AsManyAsEverySetTriedFinds) {
    SpinRandom random(5);
    int texts = 0;
    for (int round = 0; round < 200 && texts < 40; ++round) {
        const testing::SpinTextRead text(testing::randomSpinText(random));
        if (testing::everyArticle(text.choices, true).size() > 40) {
            continue;
        }
        ++texts;
        for (const bool withWritten : {false, true}) {
            for (int limit = 0; limit <= 100; limit += 25) {
                const Batch batch = text.batch(100, limit, 1, withWritten);
                EXPECT_EQ(batch.articles.size(),
                          testing::mostWithinByTrying(text, limit, withWritten))
                    << text.text.size() << " " << limit << " " << withWritten;
                EXPECT_LE(batch.shares.highestPercent, limit);
                EXPECT_TRUE(withWritten || batch.writtenHighest.atMost(limit));
                EXPECT_FALSE(batch.mayFindMore);
            }
        }
    }
    EXPECT_EQ(texts, 40);
}

// Of the 81 articles of four groups of three, 54 share at most half their
// runs with each written article; of those, trying every set finds the most.
TEST(MostWithinLimit, ApartFromTheWrittenArticles) {
    const testing::SpinTextRead text(testing::differentGroups(4));
    const Batch batch = text.batch(81, 50);
    EXPECT_EQ(batch.articles.size(), testing::mostWithinByTrying(text, 50, false));
    EXPECT_FALSE(batch.mayFindMore);
}

// Where the text gives too many articles to search them all, a batch that
// stops short of the count says so.
TEST(MostWithinLimit, SaysWhenALongerSearchMayFindMore) {
    const testing::SpinTextRead text(testing::differentGroups(8));
    EXPECT_TRUE(text.batch(6561, 50, 1, true).mayFindMore);
    EXPECT_FALSE(text.batch(20, 50, 1, true).mayFindMore);  // as many as asked
}

}  // namespace
}  // namespace kestrelwick

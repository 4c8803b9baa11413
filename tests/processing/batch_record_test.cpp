// The record of a batch: its line and its shares.csv, to the character, on
// three articles of four groups of three wholly different versions picked
// by hand, where a share is the groups two articles agree in:
//
//   article 1  0 1 2 0   agrees with 2 in the last group (25 %), with 3 in
//                        none; with written 1 (0 0 0 0) in two groups (50 %),
//                        with written 2 and 3 in one (25 %)
//   article 2  1 2 0 0   with 3 in none; the written: 50 %, 25 %, 25 %
//   article 3  2 0 1 2   the written: 25 %, 25 %, 50 %
//
// so X is 25 %, Y is 25 / 3 = 8 %, Z is 50 %.

#include <gtest/gtest.h>

#include "support/spin_texts.h"

namespace kestrelwick {
namespace {

Batch handPicked(std::size_t articles) {
    static const testing::SpinTextRead text(testing::differentGroups(4));
    std::vector<ArticleChoice> picked = {{0, 1, 2, 0}, {1, 2, 0, 0}, {2, 0, 1, 2}};
    picked.resize(articles);
    Batch batch = *measureBatch(text.choices, text.runs, picked);
    batch.seed = 7;
    return batch;
}

TEST(BatchRecord, SummaryLine) {
    const struct {
        std::size_t articles;
        bool withWritten;
        bool mayFindMore;
        const char16_t* line;
    } cases[] = {
        {3, false, false,
         u"3 articles: any two share at most 25 % of their runs of four words, on average 8 %; "
         u"with the three you wrote at most 50 %. Seed 7."},
        {3, true, false,
         u"3 articles: any two share at most 25 % of their runs of four words, on average 8 %. "
         u"Seed 7."},
        {3, false, true,
         u"3 articles: any two share at most 25 % of their runs of four words, on average 8 %; "
         u"with the three you wrote at most 50 %; a longer search may find more within 30 %. "
         u"Seed 7."},
        {1, false, false,
         u"1 article: there is no second one to share its runs of four words; with the three "
         u"you wrote at most 50 %. Seed 7."},
        {1, true, true,
         u"1 article: there is no second one to share its runs of four words; a longer search "
         u"may find more within 30 %. Seed 7."},
        {0, false, false,
         u"0 articles: none found that shares at most 30 % with the three you wrote. Seed 7."},
    };
    for (const auto& c : cases) {
        Batch batch = handPicked(c.articles);
        batch.withWritten = c.withWritten;
        batch.mayFindMore = c.mayFindMore;
        batch.maxShare = 30;
        EXPECT_EQ(batch.summary(), c.line);
    }
}

TEST(BatchRecord, SharesTable) {
    EXPECT_EQ(handPicked(3).sharesTable(),
              u"file,highest share %,shared most with,written 1 %,written 2 %,written 3 %\n"
              u"article-1.txt,25,article-2.txt,50,25,25\n"
              u"article-2.txt,25,article-1.txt,50,25,25\n"
              u"article-3.txt,0,article-1.txt,25,25,50\n");  // a tie: the first
    EXPECT_EQ(handPicked(1).sharesTable(),
              u"file,highest share %,shared most with,written 1 %,written 2 %,written 3 %\n"
              u"article-1.txt,,,50,25,25\n");
}

TEST(BatchRecord, FileNamesArePaddedToTheWidthOfTheCount) {
    EXPECT_EQ(articleFileName(7, 9), u"article-7.txt");
    EXPECT_EQ(articleFileName(1, 12), u"article-01.txt");
    EXPECT_EQ(articleFileName(100, 100), u"article-100.txt");
    EXPECT_EQ(articleFileName(5, 2100), u"article-0005.txt");
}

}  // namespace
}  // namespace kestrelwick

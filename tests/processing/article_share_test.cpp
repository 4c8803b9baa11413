// The share of two spun articles, worked by hand.

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "processing/spinning.h"

namespace kestrelwick {
namespace {

TEST(ArticleShare, IsTheSharedRunsOverTheMeanRunsOfTheTwo) {
    // Group 1: two runs each, one shared; group 2: one run each, none shared.
    const std::u16string spin =
        u"Title {one two three four five~one two three four six}\r\n{a b~c d}";
    const SpinChoices choices = std::get<SpinChoices>(readSpinChoices(spin, SpinFormat::Ama, 64));
    const std::vector<GroupRuns> runs = countGroupRuns(choices);
    const struct {
        ArticleChoice a, b;
        std::uint64_t shared, runs;
        int percent;
    } cases[] = {
        {{0, 0}, {1, 1}, 1, 6, 33},  // 2 x 1 / (3 + 3)
        {{0, 0}, {1, 0}, 2, 6, 67},  // the second group chosen alike
        {{0, 0}, {0, 0}, 3, 6, 100},
    };
    for (const auto& c : cases) {
        const Share share = shareOf(runs, c.a, c.b);
        EXPECT_EQ(share.shared, c.shared);
        EXPECT_EQ(share.runs, c.runs);
        EXPECT_EQ(share.percent(), c.percent);
    }
    EXPECT_TRUE(Share({1, 6}).atMost(34));
    EXPECT_FALSE(Share({1, 6}).atMost(33));  // 33.3 % is more than 33 %
    EXPECT_EQ(choices.article({1, 0}), u"Title one two three four six\r\na b");
}

}  // namespace
}  // namespace kestrelwick

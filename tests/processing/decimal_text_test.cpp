// Numbers as the report writes them.

#include <gtest/gtest.h>

#include <cstdint>

#include "processing/check_articles.h"

namespace kestrelwick {
namespace {

TEST(DecimalText, WritesPlainDigits) {
    EXPECT_EQ(decimalText(0), u"0");
    EXPECT_EQ(decimalText(7), u"7");
    EXPECT_EQ(decimalText(1234567890123), u"1234567890123");
    EXPECT_EQ(decimalText(-40), u"-40");
    EXPECT_EQ(decimalText(INT64_MIN), u"-9223372036854775808");
}

}  // namespace
}  // namespace kestrelwick

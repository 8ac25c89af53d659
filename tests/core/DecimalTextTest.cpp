#include "core/DecimalText.h"

#include <gtest/gtest.h>

#include <limits>

TEST(DecimalText, WritesEveryDigitWithoutPadding) {
    EXPECT_EQ(decimalText(0), L"0");
    EXPECT_EQ(decimalText(7), L"7");
    EXPECT_EQ(decimalText(10), L"10");
    EXPECT_EQ(decimalText(4294967296ull), L"4294967296");
    EXPECT_EQ(decimalText(std::numeric_limits<uint64_t>::max()), L"18446744073709551615");
}

TEST(DecimalText, SignedValuesKeepTheirSignToTheExtremes) {
    EXPECT_EQ(signedDecimalText(0), L"0");
    EXPECT_EQ(signedDecimalText(-1), L"-1");
    EXPECT_EQ(signedDecimalText(2147483647), L"2147483647");
    EXPECT_EQ(signedDecimalText(std::numeric_limits<int64_t>::min()), L"-9223372036854775808");
    EXPECT_EQ(signedDecimalText(std::numeric_limits<int64_t>::max()), L"9223372036854775807");
}

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

TEST(DecimalText, ExitCodesReadSignedOrUnsignedWithinThirtyTwoBits) {
    int32_t value = 0;
    EXPECT_TRUE(parseExitCode(L"75", value) && value == 75);
    EXPECT_TRUE(parseExitCode(L"-2147483648", value) && value == std::numeric_limits<int32_t>::min());
    EXPECT_TRUE(parseExitCode(L"4294967295", value) && value == -1);
    for (const wchar_t* refused : {L"", L"-", L"4294967296", L"-2147483649", L" 1", L"1x", L"+1"}) {
        EXPECT_FALSE(parseExitCode(refused, value)) << refused;
    }
}

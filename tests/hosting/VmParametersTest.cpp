#include <gtest/gtest.h>

#include "hosting/VmParameters.h"

namespace {

using Tokens = std::vector<std::wstring>;

TEST(VmParameters, SplitsAtSpacesOutsideQuotedSections) {
    EXPECT_EQ(splitVmParameters(L""), Tokens{});
    EXPECT_EQ(splitVmParameters(L"   "), Tokens{});
    EXPECT_EQ(splitVmParameters(L"  -Xmx512m  -Dx=\"a b\"  "), (Tokens{L"-Xmx512m", L"-Dx=\"a b\""}));
    EXPECT_EQ(splitVmParameters(L"\"a b\"c d"), (Tokens{L"\"a b\"c", L"d"}));
    // A doubled closing quote is passed over and ends the protection.
    EXPECT_EQ(splitVmParameters(L"\"a\"\"b c\" d"), (Tokens{L"\"a\"\"b", L"c\"", L"d"}));
    // An unpaired quote protects nothing.
    EXPECT_EQ(splitVmParameters(L"-Da=\"x y"), (Tokens{L"-Da=\"x", L"y"}));
}

TEST(VmParameters, StripsQuotesKeepingDoubledAndUnpairedOnes) {
    EXPECT_EQ(stripQuotes(L"-Dname=\"a b\""), L"-Dname=a b");
    EXPECT_EQ(stripQuotes(L"\"x\"\"y"), L"x\"y");
    EXPECT_EQ(stripQuotes(L"\"\""), L"");
    EXPECT_EQ(stripQuotes(L"a\"b"), L"a\"b");
    EXPECT_EQ(stripQuotes(L"\"a\"\"b\"c\""), L"a\"bc");
    EXPECT_EQ(stripQuotes(L"\"a\"b\"c\""), L"abc");
}

TEST(VmParameters, ProcessingRewritesPercentagesAndTakesTheLastStackSize) {
    MemoryBase base{2097151, 1000000};
    uint32_t stack = 7;
    EXPECT_EQ(processVmParameter(L"-Dp=\"a b\"", base, stack), L"-Dp=a b");
    EXPECT_EQ(stack, 7u);
    EXPECT_EQ(processVmParameter(L"-Xms10p", base, stack), L"-Xms209715K");
    EXPECT_EQ(processVmParameter(L"-XMX50p", base, stack), L"-XMX50p");
    EXPECT_EQ(processVmParameter(L"-Xss2m", base, stack), L"-Xss2m");
    EXPECT_EQ(stack, 2097152u);
    // A later -Xss replaces the earlier one, even with a size that cannot be used.
    EXPECT_EQ(processVmParameter(L"-Xss1:2k", base, stack), L"-Xss1:2k");
    EXPECT_EQ(stack, 0u);
    EXPECT_EQ(processVmParameter(L"-Xss1p", base, stack), L"-Xss20971K");
    EXPECT_EQ(stack, 20971u * 1024);
    // Quotes go before the rewrite sees the token.
    EXPECT_EQ(processVmParameter(L"\"-Xmx10t\"", base, stack), L"-Xmx100000K");
}

}  // namespace

#include <gtest/gtest.h>

#include "hosting/MemoryOptions.h"

namespace {

using Numbers = std::vector<uint64_t>;

TEST(SizeNumbers, ReadsColonSeparatedNumbersAfterThePrefix) {
    SizeNumbers parsed = parseSizeNumbers(L"-Xmx50:256:1024p");
    EXPECT_EQ(parsed.prefixLength, 4u);
    EXPECT_EQ(parsed.numbers, (Numbers{50, 256, 1024}));

    parsed = parseSizeNumbers(L"-Xmx");
    EXPECT_EQ(parsed.prefixLength, 4u);
    EXPECT_TRUE(parsed.numbers.empty());

    // The last character counts only as a digit; other characters are skipped.
    EXPECT_EQ(parseSizeNumbers(L"12").numbers, (Numbers{12}));
    EXPECT_EQ(parseSizeNumbers(L"1x2k").numbers, (Numbers{12}));
    EXPECT_EQ(parseSizeNumbers(L":5").numbers, (Numbers{0, 5}));
    EXPECT_EQ(parseSizeNumbers(L"1::").numbers, (Numbers{1, 0}));
    EXPECT_EQ(parseSizeNumbers(L"").prefixLength, 0u);
}

TEST(SizeNumbers, NumbersBeyond32BitsAreMarkedInsteadOfWrapping) {
    EXPECT_EQ(parseSizeNumbers(L"4294967295").numbers, (Numbers{0xFFFFFFFFu}));
    EXPECT_EQ(parseSizeNumbers(L"4294967296").numbers, (Numbers{kSizeNumberTooLarge}));
    EXPECT_EQ(parseSizeNumbers(L"99999999999999999999999999").numbers, (Numbers{kSizeNumberTooLarge}));
}

TEST(MemoryOptions, PercentageOptionsNeedTheExactPrefixAndAUnit) {
    EXPECT_TRUE(isPercentageMemoryOption(L"-Xmx50p"));
    EXPECT_TRUE(isPercentageMemoryOption(L"-Xms5T"));
    EXPECT_TRUE(isPercentageMemoryOption(L"-Xss1t"));
    EXPECT_FALSE(isPercentageMemoryOption(L"-XMX50p"));
    EXPECT_FALSE(isPercentageMemoryOption(L"-Xmx50m"));
    EXPECT_FALSE(isPercentageMemoryOption(L"-Xmx"));
}

TEST(MemoryOptions, RewritesAgainstTheChosenBaseWithMinimumAndMaximum) {
    MemoryBase base{4194303, 2000000};
    EXPECT_EQ(rewriteMemoryOption(L"-Xmx50:256:1024p", base), L"-Xmx1048576K");
    EXPECT_EQ(rewriteMemoryOption(L"-Xmx50T", base), L"-Xmx1000000K");
    EXPECT_EQ(rewriteMemoryOption(L"-Xmx0:0:0p", base), L"-Xmx0K");

    MemoryBase small{2097151, 0};
    EXPECT_EQ(rewriteMemoryOption(L"-Xms10p", small), L"-Xms209715K");
    // The minimum wins, also over a smaller maximum.
    EXPECT_EQ(rewriteMemoryOption(L"-Xmx10:2048p", small), L"-Xmx2097152K");
    EXPECT_EQ(rewriteMemoryOption(L"-Xmx10:300:200p", small), L"-Xmx307200K");
    EXPECT_EQ(rewriteMemoryOption(L"-Xmx10:100:200p", small), L"-Xmx204800K");
}

TEST(MemoryOptions, LargeSizesAreWrittenInFullRatherThanWrapped) {
    MemoryBase base{4194303, 0};
    EXPECT_EQ(rewriteMemoryOption(L"-Xmx200p", base), L"-Xmx8388606K");
    EXPECT_EQ(rewriteMemoryOption(L"-Xmx1:5000000p", base), L"-Xmx5120000000K");
    EXPECT_EQ(rewriteMemoryOption(L"-Xmx99999999999p", base), L"-Xmx180143942145146K");
    // No number at all: left for the JVM to reject.
    EXPECT_EQ(rewriteMemoryOption(L"-Xmxp", base), L"-Xmxp");
}

TEST(MemoryOptions, StackSizeFromXss) {
    EXPECT_EQ(stackSizeFromXss(L"512k"), 524288u);
    EXPECT_EQ(stackSizeFromXss(L"2m"), 2097152u);
    EXPECT_EQ(stackSizeFromXss(L"2M"), 2097152u);
    EXPECT_EQ(stackSizeFromXss(L"1g"), 1073741824u);
    EXPECT_EQ(stackSizeFromXss(L"1048576"), 1048576u);
    EXPECT_EQ(stackSizeFromXss(L"100x"), 100u);
    EXPECT_EQ(stackSizeFromXss(L"3g"), 3221225472u);
    // Unusable: two numbers, a prefix, no number, or a product beyond 32 bits.
    EXPECT_EQ(stackSizeFromXss(L"1:2k"), 0u);
    EXPECT_EQ(stackSizeFromXss(L"%SIZE%"), 0u);
    EXPECT_EQ(stackSizeFromXss(L""), 0u);
    EXPECT_EQ(stackSizeFromXss(L"4g"), 0u);
    EXPECT_EQ(stackSizeFromXss(L"4194304k"), 0u);
    EXPECT_EQ(stackSizeFromXss(L"4294967296"), 0u);
}

}  // namespace

#include <gtest/gtest.h>

#include "discovery/JavaVersion.h"
#include "resources/resource.h"

namespace {

JavaVersion v(int32_t a, int32_t b, int32_t c, int32_t d) { return JavaVersion{{a, b, c, d}}; }

JavaVersion parsed(const std::wstring& text, int32_t fill = kVersionFillMin) { return parseVersion(text, fill); }

TEST(ParseVersion, AnyRunOfNonDigitsSeparatesComponents) {
    EXPECT_EQ(parsed(L"1.8.0_131"), v(1, 8, 0, 131));
    EXPECT_EQ(parsed(L"jre1.6"), v(1, 6, 0, 0));
    EXPECT_EQ(parsed(L"1.6.0_45-b06"), v(1, 6, 0, 45));
    EXPECT_EQ(parsed(L" 1 -- 7 x 2 "), v(1, 7, 2, 0));
    EXPECT_EQ(parsed(L"007.08"), v(7, 8, 0, 0));
}

TEST(ParseVersion, MissingComponentsTakeTheFill) {
    EXPECT_EQ(parsed(L"1.7", kVersionFillMax), v(1, 7, 65535, 65535));
    EXPECT_EQ(parsed(L"1", kVersionFillMax), v(1, 65535, 65535, 65535));
    EXPECT_EQ(parsed(L"1.7.0_80", kVersionFillMax), v(1, 7, 0, 80));
}

TEST(ParseVersion, AFifthNumberAndEverythingAfterItIsIgnored) {
    JavaVersion version;
    EXPECT_TRUE(parseVersion(L"1.6.0.45.2", kVersionFillMax, version));
    EXPECT_EQ(version, v(1, 6, 0, 45));
    EXPECT_EQ(parsed(L"1.2.3.4.99999999999999999999"), v(1, 2, 3, 4));
}

TEST(ParseVersion, TextWithoutDigitsFailsWithZeroes) {
    JavaVersion version = v(9, 9, 9, 9);
    EXPECT_FALSE(parseVersion(L"", kVersionFillMax, version));
    EXPECT_EQ(version, v(0, 0, 0, 0));
    version = v(9, 9, 9, 9);
    EXPECT_FALSE(parseVersion(L"Any", kVersionFillMax, version));
    EXPECT_EQ(version, v(0, 0, 0, 0));
    EXPECT_FALSE(parseVersion(L"\u0661.\u0662", kVersionFillMin, version));  // only ASCII digits count
}

TEST(ParseVersion, ComponentsUpToTheSignedLimitParseAndLongerRunsFail) {
    JavaVersion version;
    EXPECT_TRUE(parseVersion(L"2147483647", kVersionFillMin, version));
    EXPECT_EQ(version, v(2147483647, 0, 0, 0));
    EXPECT_TRUE(parseVersion(L"1.2147483647", kVersionFillMin, version));
    EXPECT_EQ(version, v(1, 2147483647, 0, 0));

    for (const wchar_t* tooLarge : {L"9999999999", L"2147483648", L"2147483649", L"1.2.21474836470", L"1.21474836479"}) {
        version = v(9, 9, 9, 9);
        EXPECT_FALSE(parseVersion(tooLarge, kVersionFillMax, version)) << tooLarge;
        EXPECT_EQ(version, v(0, 0, 0, 0)) << tooLarge;
    }
}

TEST(CompareVersions, FirstDifferenceDecides) {
    EXPECT_EQ(compareVersions(v(1, 8, 0, 0), v(1, 8, 0, 0)), 0);
    EXPECT_EQ(compareVersions(v(1, 7, 99, 99), v(1, 8, 0, 0)), -1);
    EXPECT_EQ(compareVersions(v(1, 8, 0, 131), v(1, 8, 0, 45)), 1);
    EXPECT_EQ(compareVersions(v(2147483647, 0, 0, 0), v(0, 0, 0, 0)), 1);
}

TEST(WithClassicNumbering, MovesMajorsTwoToEightBehindALeadingOne) {
    EXPECT_EQ(withClassicNumbering(v(8, 0, 392, 8)), v(1, 8, 0, 392));
    EXPECT_EQ(withClassicNumbering(v(2, 1, 0, 0)), v(1, 2, 1, 0));
    EXPECT_EQ(withClassicNumbering(v(1, 8, 0, 392)), v(1, 8, 0, 392));
    EXPECT_EQ(withClassicNumbering(v(9, 0, 4, 0)), v(9, 0, 4, 0));
    EXPECT_EQ(withClassicNumbering(v(0, 0, 0, 0)), v(0, 0, 0, 0));
}

TEST(MatchesPreferred, TrailingZeroesOfThePatternAreWildcards) {
    EXPECT_TRUE(matchesPreferred(v(1, 6, 0, 45), v(1, 6, 0, 0)));
    EXPECT_FALSE(matchesPreferred(v(1, 7, 0, 45), v(1, 6, 0, 0)));
    EXPECT_TRUE(matchesPreferred(v(1, 6, 0, 20), v(1, 6, 0, 20)));
    EXPECT_FALSE(matchesPreferred(v(1, 6, 0, 21), v(1, 6, 0, 20)));
    EXPECT_TRUE(matchesPreferred(v(1, 9, 3, 0), v(1, 0, 0, 0)));
    EXPECT_TRUE(matchesPreferred(v(7, 7, 7, 7), v(0, 0, 0, 0)));
    // A zero in the middle is an ordinary number.
    EXPECT_FALSE(matchesPreferred(v(1, 6, 1, 5), v(1, 6, 0, 5)));
    EXPECT_TRUE(matchesPreferred(v(0, 0, 0, 0), v(0, 0, 0, 0)));
}

TEST(FormatVersion, DropsTrailingFillsButKeepsTwoComponents) {
    EXPECT_EQ(formatVersion(v(1, 6, 0, 0)), L"1.6");
    EXPECT_EQ(formatVersion(v(1, 7, 65535, 65535)), L"1.7");
    EXPECT_EQ(formatVersion(v(2, 0, 0, 0)), L"2.0");
    EXPECT_EQ(formatVersion(v(1, 8, 0, 131)), L"1.8.0.131");
    EXPECT_EQ(formatVersion(v(1, 65535, 65535, 65535)), L"1.65535");
    EXPECT_EQ(formatVersion(v(0, 0, 0, 0)), L"0.0.0.0");
    EXPECT_EQ(formatVersion(v(65535, 65535, 65535, 65535)), L"0.0.0.0");
    EXPECT_EQ(formatVersion(v(0, 0, 3, 0)), L"0.0.3");
    EXPECT_EQ(formatVersion(v(2147483647, 1, 0, 0)), L"2147483647.1");
}

TEST(DescribeRequirement, PicksThePhraseByWhichLimitsArePresent) {
    const JavaVersion none = v(0, 0, 0, 0);
    const JavaVersion top = v(65535, 65535, 65535, 65535);

    EXPECT_EQ(describeRequirement(none, top).stringId, unsigned(IDS_VERSION_ANY));
    EXPECT_EQ(describeRequirement(none, none).stringId, unsigned(IDS_VERSION_ANY));

    RequirementPhrase maxOnly = describeRequirement(none, parsed(L"1.7", kVersionFillMax));
    EXPECT_EQ(maxOnly.stringId, unsigned(IDS_VERSION_MAX));
    EXPECT_EQ(maxOnly.first, L"1.7");

    // Minimum 1.6 with maximum "any": the phrase of the example not-found sentence.
    RequirementPhrase minOnly = describeRequirement(parsed(L"1.6"), top);
    EXPECT_EQ(minOnly.stringId, unsigned(IDS_VERSION_MIN));
    EXPECT_EQ(minOnly.first, L"1.6");
    EXPECT_TRUE(minOnly.second.empty());
}

TEST(DescribeRequirement, EqualTextsGiveARangeUnlessTheStoredValuesAreEqual) {
    RequirementPhrase range = describeRequirement(parsed(L"1.7"), parsed(L"1.7", kVersionFillMax));
    EXPECT_EQ(range.stringId, unsigned(IDS_VERSION_RANGE));
    EXPECT_EQ(range.first, L"1.7");
    EXPECT_EQ(range.second, L"1.7");

    RequirementPhrase exact = describeRequirement(parsed(L"1.7.0_80"), parsed(L"1.7.0_80", kVersionFillMax));
    EXPECT_EQ(exact.stringId, unsigned(IDS_VERSION_EXACT));
    EXPECT_EQ(exact.first, L"1.7.0.80");
}

}  // namespace

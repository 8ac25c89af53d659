#include <gtest/gtest.h>

#include "discovery/ui/AnchorColor.h"
#include "core/SettingsRules.h"
#include "discovery/ui/LinkStyle.h"
#include "discovery/ui/LinkTags.h"

namespace {

void expectColor(const std::wstring& value, int red, int green, int blue) {
    const std::optional<RgbColor> color = parseAnchorColor(value);
    ASSERT_TRUE(color.has_value()) << std::string(value.begin(), value.end());
    EXPECT_EQ(color->red, red);
    EXPECT_EQ(color->green, green);
    EXPECT_EQ(color->blue, blue);
}

}  // namespace

TEST(AnchorColor, AcceptsThreeDecimalChannels) {
    expectColor(L"255,0,0", 255, 0, 0);
    expectColor(L"0,0,255", 0, 0, 255);
    expectColor(L"128,0,128", 128, 0, 128);
    expectColor(L" 1, 2 ,3 ", 1, 2, 3);
    expectColor(L"255,255,255", 255, 255, 255);  // the longest sensible value
}

TEST(AnchorColor, KeepsTheLowByteOfLargeNumbers) {
    expectColor(L"256,257,511", 0, 1, 255);
    expectColor(L"65535,1,2", 255, 1, 2);
    expectColor(L"999999,0,0", 0x3F, 0, 0);  // 999999 = 0xF423F
}

TEST(AnchorColor, RejectsMalformedValues) {
    for (const wchar_t* value : {L"255,0", L"255", L"", L",,", L"1,2,", L",2,3", L"1,,3", L"-1,0,0", L"0,-1,0",
                                 L"0,0,-1", L"x,0,0", L"1,2,3,4", L"0x10,0,0", L"1.5,2,3"}) {
        EXPECT_FALSE(parseAnchorColor(value).has_value()) << std::string(value, value + wcslen(value));
    }
}

TEST(AnchorColor, RejectsValuesOfTwelveCharactersOrMore) {
    EXPECT_FALSE(parseAnchorColor(L"255,255,2550").has_value());
    EXPECT_FALSE(parseAnchorColor(L"0,0,255     ").has_value());
    EXPECT_FALSE(parseAnchorColor(std::wstring(4000, L'9')).has_value());
}

TEST(LinkTags, SplitsAroundTheTagsInAnyCase) {
    LinkTextParts parts = splitLinkTags(L"Get it <a>here</A> now");
    EXPECT_EQ(parts.prefix, L"Get it ");
    EXPECT_EQ(parts.link, L"here");
    EXPECT_EQ(parts.suffix, L" now");

    parts = splitLinkTags(L"<A>all</a>");
    EXPECT_EQ(parts.prefix, L"");
    EXPECT_EQ(parts.link, L"all");
    EXPECT_EQ(parts.suffix, L"");
}

TEST(LinkTags, SkipsOtherAngleBracketsAndUsesTheFirstPair) {
    const LinkTextParts parts = splitLinkTags(L"a<b <ab> <a>x</b></a>y</a>");
    EXPECT_EQ(parts.prefix, L"a<b <ab> ");
    EXPECT_EQ(parts.link, L"x</b>");
    EXPECT_EQ(parts.suffix, L"y</a>");
}

TEST(LinkTags, MissingTagLeavesNoLinkButKeepsTheText) {
    LinkTextParts parts = splitLinkTags(L"no tags </a> here");
    EXPECT_EQ(parts.prefix, L"no tags </a> here");
    EXPECT_TRUE(parts.link.empty());

    parts = splitLinkTags(L"open <a>never closed");
    EXPECT_EQ(parts.prefix, L"open ");
    EXPECT_TRUE(parts.link.empty());
    EXPECT_EQ(parts.suffix, L"never closed");

    parts = splitLinkTags(L"cut <a");
    EXPECT_EQ(parts.prefix, L"cut <a");
    EXPECT_TRUE(parts.link.empty());
}

TEST(LinkStyle, ClickActionAndLinkFont) {
    EXPECT_EQ(linkClickAction(0), LinkClickAction::OpenTarget);
    EXPECT_EQ(linkClickAction(LinkStyleNotify), LinkClickAction::OpenTarget);
    EXPECT_EQ(linkClickAction(LinkStyleCommand), LinkClickAction::SendCommand);
    EXPECT_EQ(linkClickAction(LinkStyleCommand | LinkStyleNotify), LinkClickAction::SendNotify);

    EXPECT_TRUE(linkFontForcesUnderline(0));
    EXPECT_FALSE(linkFontForcesUnderline(LinkStyleNoUnderline));
    EXPECT_TRUE(linkFontForcesUnderline(LinkStyleTagsBold));  // bold needs tags too
    EXPECT_FALSE(linkFontIsBold(LinkStyleTagsBold));
    EXPECT_TRUE(linkFontIsBold(LinkStyleTags | LinkStyleTagsBold));
    EXPECT_FALSE(linkFontForcesUnderline(LinkStyleTags | LinkStyleTagsBold));

    EXPECT_TRUE(drawsWithLinkFont(0, false, true));
    EXPECT_FALSE(drawsWithLinkFont(0, true, false));
    EXPECT_FALSE(drawsWithLinkFont(LinkStyleHoverUnderline, false, true));
    EXPECT_TRUE(drawsWithLinkFont(LinkStyleHoverUnderline, true, true));
}

TEST(LinkStyle, OnlyTextStaticsPaintALabel) {
    for (uint32_t type : {0u, 1u, 2u, 10u, 11u, 12u, 16u}) EXPECT_FALSE(isNonTextStaticType(type)) << type;
    for (uint32_t type : {3u, 4u, 9u, 13u, 14u, 15u}) EXPECT_TRUE(isNonTextStaticType(type)) << type;
}

TEST(FolderPath, AppendsExactlyOneBackslash) {
    EXPECT_EQ(withFolderBackslash(L"C:\\Java\\jre7"), L"C:\\Java\\jre7\\");
    EXPECT_EQ(withFolderBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(withFolderBackslash(L"\\\\server\\share\\jre\\"), L"\\\\server\\share\\jre\\");
}

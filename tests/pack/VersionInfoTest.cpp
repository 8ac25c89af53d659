#include <gtest/gtest.h>

#include "VersionInfo.h"
#include "VersionResourceReader.h"

namespace {

TEST(VersionInfo, VersionsAreExactlyFourNumbersUpTo65535) {
    FourPartVersion version{};
    ASSERT_TRUE(parseFourPartVersion("1.2.30.65535", version));
    EXPECT_EQ(version, (FourPartVersion{1, 2, 30, 65535}));
    EXPECT_EQ(formatVersion(version), "1.2.30.65535");
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "1.2.3.65536", "1.2..4", "1.2.3.4 ", "v1.2.3.4", "1.2.3.-4",
                            "1.2.3.0000001", "1,2,3,4"}) {
        EXPECT_FALSE(parseFourPartVersion(bad, version)) << bad;
    }
}

TEST(VersionInfo, EveryStringAndBothVersionsReadBack) {
    VersionInfo info;
    info.fileVersion = {1, 2, 3, 4};
    info.productVersion = {5, 6, 7, 8};
    info.language = 0x041D;
    info.strings = {{u"CompanyName", u"\u00c5kesson AB"},
                    {u"FileDescription", u"A"},  // odd lengths pad differently
                    {u"LegalCopyright", u"\u00a9 2026"},
                    {u"OriginalFilename", u"MyApp64.exe"},
                    {u"ProductName", u""}};
    VersionReadBack back = readVersionResource(buildVersionResource(info));
    ASSERT_TRUE(back.valid) << back.problem;
    EXPECT_EQ(back.fileVersionHigh, 0x00010002u);
    EXPECT_EQ(back.fileVersionLow, 0x00030004u);
    EXPECT_EQ(back.productVersionHigh, 0x00050006u);
    EXPECT_EQ(back.productVersionLow, 0x00070008u);
    EXPECT_EQ(back.tableKey, u"041D04B0");
    EXPECT_EQ(back.translation, 0x04B0041Du);
    ASSERT_EQ(back.strings.size(), info.strings.size());
    for (const auto& [key, value] : info.strings) EXPECT_EQ(back.strings[key], value);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "discovery/ReleaseFile.h"

namespace {

// The version text of the release file `text`, or "(none)".
std::wstring releaseVersion(const std::string& text) {
    JavaVersion version{{9, 9, 9, 9}};
    const bool parsed = parseReleaseVersion(reinterpret_cast<const uint8_t*>(text.data()), text.size(), version);
    if (!parsed) return version == JavaVersion{} ? L"(none)" : L"(failed but not zero)";
    return formatVersion(version);
}

TEST(ReleaseFile, TheFirstJavaVersionLineCountsQuotedOrNot) {
    EXPECT_EQ(releaseVersion("IMPLEMENTOR=\"Eclipse Adoptium\"\nJAVA_VERSION=\"17.0.9\"\nJAVA_VERSION=\"11\"\n"),
              L"17.0.9");
    EXPECT_EQ(releaseVersion("\xEF\xBB\xBFJAVA_VERSION=\"21\"\r\nOS_NAME=\"Windows\"\r\n"), L"21.0");
    EXPECT_EQ(releaseVersion("JAVA_VERSION=1.8.0_392"), L"1.8.0.392");
    EXPECT_EQ(releaseVersion("  JAVA_VERSION = \"11.0.21+9-LTS\"  \n"), L"11.0.21.9");
}

TEST(ReleaseFile, LinesThatOnlyLookAlikeAndValuesWithoutDigitsGiveNothing) {
    EXPECT_EQ(releaseVersion(""), L"(none)");
    EXPECT_EQ(releaseVersion("JAVA_RUNTIME_VERSION=\"17.0.9+9\"\nMY_JAVA_VERSION=\"8\"\n"), L"(none)");
    EXPECT_EQ(releaseVersion("JAVA_VERSION\n17\n"), L"(none)");
    EXPECT_EQ(releaseVersion("JAVA_VERSION=\"\"\nJAVA_VERSION=\"17\"\n"), L"(none)");
    const char binary[] = "JAVA_VERSION=\"\xff\xfe\x00 beta\"";
    EXPECT_EQ(releaseVersion(std::string(binary, sizeof binary - 1)), L"(none)");
    EXPECT_EQ(releaseVersion("JAVA_VERSION=\"99999999999\""), L"(none)");
    EXPECT_EQ(releaseVersion(std::string("\0JAVA_VERSION=17", 16)), L"(none)");
}

}  // namespace

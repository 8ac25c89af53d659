#include "core/SettingsRules.h"

#include <gtest/gtest.h>

#include "core/DesktopRules.h"

using Pieces = std::vector<std::wstring>;

TEST(SettingsRules, SettingsFileNameReplacesTheLastExtension) {
    EXPECT_EQ(replaceExtensionWithIni(L"C:\\Apps\\Tool.exe"), L"C:\\Apps\\Tool.ini");
    EXPECT_EQ(replaceExtensionWithIni(L"C:\\Apps\\Tool.v2.exe"), L"C:\\Apps\\Tool.v2.ini");
    EXPECT_EQ(replaceExtensionWithIni(L"C:\\Apps\\Tool"), L"");
    EXPECT_EQ(settingsBaseName(L"C:\\Apps\\Tool.exe"), L"Tool.ini");
    EXPECT_EQ(settingsBaseName(L"Tool"), L"Tool.ini");
    EXPECT_EQ(settingsBaseName(L"C:\\a.b\\Tool"), L"Tool.ini");
}

TEST(SettingsRules, ProductFolderNameDropsTheNineForbiddenCharacters) {
    EXPECT_EQ(productFolderName(L"My: Tool"), L"My Tool");
    EXPECT_EQ(productFolderName(L"a\\b?c\"d|e>f<g:h/i*j"), L"abcdefghij");
    EXPECT_EQ(productFolderName(L""), L"");
}

TEST(SettingsRules, PlusSectionValueGetsExactlyOneLeadingSpace) {
    EXPECT_EQ(plusSectionValue(L"-Xmx512m"), L" -Xmx512m");
    EXPECT_EQ(plusSectionValue(L" -Xmx512m"), L" -Xmx512m");
    EXPECT_EQ(plusSectionValue(L""), L"");
}

TEST(SettingsRules, EachSwitchKeepsItsOwnSpelling) {
    EXPECT_TRUE(isYesAnyCase(L"YES"));
    EXPECT_TRUE(isYesAnyCase(L"yEs"));
    EXPECT_FALSE(isYesAnyCase(L"yes "));
    // ASCII letters only, whatever the locale: a dotted capital I is no "i".
    EXPECT_TRUE(equalsAnyCase(L"STATIC", L"static"));
    EXPECT_FALSE(equalsAnyCase(L"STAT\u0130C", L"static"));
    EXPECT_TRUE(isYesExactly(L"yes"));
    EXPECT_FALSE(isYesExactly(L"Yes"));
    EXPECT_TRUE(isTrueExactly(L"true"));
    EXPECT_FALSE(isTrueExactly(L"True"));
}

TEST(SettingsRules, SecondsAreDigitsAloneElseTheDefault) {
    EXPECT_EQ(secondsSetting(L"045", 20), 45u);
    for (const wchar_t* bad : {L"", L" 5", L"-5", L"10s", L"1234567"}) EXPECT_EQ(secondsSetting(bad, 20), 20u) << bad;
}

TEST(SettingsRules, DesktopValuesAreReadInAnyCaseAndAnUnusableAppIdIsNamed) {
    DpiAwareness awareness = DpiAwareness::Unaware;
    EXPECT_TRUE(parseDpiAwareness(L"", awareness) && awareness == DpiAwareness::System);
    EXPECT_TRUE(parseDpiAwareness(L"Per-Monitor", awareness) && awareness == DpiAwareness::PerMonitor);
    EXPECT_FALSE(parseDpiAwareness(L"permonitorv2", awareness) || awareness != DpiAwareness::System);
    EXPECT_EQ(appUserModelIdFault(std::wstring(128, L'x')), nullptr);
    EXPECT_STREQ(appUserModelIdFault(std::wstring(129, L'x')), "longer than 128 characters");
    EXPECT_STREQ(appUserModelIdFault(L"Example App"), "it holds a space");
}

TEST(SettingsRules, SemicolonListKeepsInnerEmptyPieces) {
    EXPECT_EQ(splitSemicolonList(L""), Pieces{});
    EXPECT_EQ(splitSemicolonList(L"a.jar;"), (Pieces{L"a.jar"}));
    EXPECT_EQ(splitSemicolonList(L"a;;b"), (Pieces{L"a", L"", L"b"}));
    EXPECT_EQ(splitSemicolonList(L";a"), (Pieces{L"", L"a"}));
    EXPECT_EQ(splitSemicolonList(L";"), (Pieces{L""}));
}

TEST(SettingsRules, FolderOfKeepsTheBackslash) {
    EXPECT_EQ(folderOf(L"C:\\app\\run.exe"), L"C:\\app\\");
    EXPECT_EQ(folderOf(L"run.exe"), L"");
}

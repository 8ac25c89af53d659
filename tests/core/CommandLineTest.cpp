#include "core/CommandLine.h"

#include <gtest/gtest.h>

using Tokens = std::vector<std::wstring>;

namespace {

Tokens tokens(const std::wstring& text) {
    Tokens result;
    tokenize(text, result);
    return result;
}

}  // namespace

TEST(Tokenize, SplitsAtSpacesAndKeepsQuotedRuns) {
    EXPECT_EQ(tokens(L"one  \"two three\" four"), (Tokens{L"one", L"two three", L"four"}));
    EXPECT_EQ(tokens(L"\"abc\"def"), (Tokens{L"abc", L"def"}));
    EXPECT_EQ(tokens(L"a\"b c\""), (Tokens{L"a\"b", L"c\""}));
    EXPECT_EQ(tokens(L"\"open"), (Tokens{L"open"}));
    EXPECT_EQ(tokens(L"\"\""), (Tokens{L""}));
}

TEST(Tokenize, OnlyTheSpaceSeparates) {
    EXPECT_EQ(tokens(L"a\tb c"), (Tokens{L"a\tb", L"c"}));
    EXPECT_EQ(tokens(L" lead"), (Tokens{L"", L"lead"}));
    EXPECT_EQ(tokens(L"\"C:\\dir\\\" next"), (Tokens{L"C:\\dir\\", L"next"}));
    EXPECT_TRUE(tokens(L"").empty());
}

TEST(SplitCommandLine, DropsTheExecutableAndTrimsWhiteSpace) {
    EXPECT_TRUE(splitCommandLineText(L"\"C:\\Program Files\\App\\app.exe\"").empty());
    EXPECT_TRUE(splitCommandLineText(L"app.exe").empty());
    EXPECT_EQ(splitCommandLineText(L"app.exe x \"\" y\t\r\n "), (Tokens{L"x", L"", L"y"}));
    EXPECT_EQ(splitCommandLineText(L"  app.exe   a    b"), (Tokens{L"a", L"b"}));
}

TEST(SplashSwitch, MatchesWholeLowerCaseElementsOnly) {
    EXPECT_TRUE(hasNoSplashSwitch({L"a", L"b", L"-nosplash"}));
    EXPECT_TRUE(hasNoSplashSwitch({L"/nosplash"}));
    EXPECT_FALSE(hasNoSplashSwitch({L"-NoSplash", L"-nosplash2", L"x-nosplash"}));
    EXPECT_FALSE(hasNoSplashSwitch({}));
}

#include <gtest/gtest.h>

#include "discovery/RuntimeKeys.h"
#include "discovery/RuntimePreferences.h"

namespace {

SourceFlags source(const std::wstring& value) {
    SourceFlags flags;
    applyJvmSource(value, flags);
    return flags;
}

ProviderFlags provider(const std::wstring& value) {
    ProviderFlags flags;
    applyVmProvider(value, flags);
    return flags;
}

// Which of the five keys a search visits, as a string of 0/1 in key order.
std::string visited(const SourceFlags& s, const ProviderFlags& p) {
    std::string result;
    for (const RuntimeKey& key : runtimeKeys()) result += shouldVisit(key, s, p) ? '1' : '0';
    return result;
}

std::string preferred(const SourceFlags& s, const ProviderFlags& p) {
    std::string result;
    for (const RuntimeKey& key : runtimeKeys()) result += isPreferredKey(key, s, p) ? '1' : '0';
    return result;
}

TEST(JvmType, OnlyTheExactWordsSelectAServerMode) {
    EXPECT_EQ(jvmTypeModeFromSetting(L"server"), JvmTypeMode::ServerOnly);
    EXPECT_EQ(jvmTypeModeFromSetting(L"favor_server"), JvmTypeMode::FavorServer);
    EXPECT_EQ(jvmTypeModeFromSetting(L"Server"), JvmTypeMode::Default);
    EXPECT_EQ(jvmTypeModeFromSetting(L" server"), JvmTypeMode::Default);
    EXPECT_EQ(jvmTypeModeFromSetting(L""), JvmTypeMode::Default);
}

TEST(RuntimeRegistrations, OnlyClassicInAnyCaseLeavesTheCurrentLayoutsOut) {
    EXPECT_EQ(runtimeRegistrationsFromSetting(L"classic"), RuntimeRegistrations::Classic);
    EXPECT_EQ(runtimeRegistrationsFromSetting(L"Classic"), RuntimeRegistrations::Classic);
    EXPECT_EQ(runtimeRegistrationsFromSetting(L""), RuntimeRegistrations::All);
    EXPECT_EQ(runtimeRegistrationsFromSetting(L"all"), RuntimeRegistrations::All);
    EXPECT_EQ(runtimeRegistrationsFromSetting(L"classic only"), RuntimeRegistrations::All);
}

TEST(JvmSource, DecidesWhichKindsOfKeyAreSearched) {
    const ProviderFlags sun;
    EXPECT_EQ(visited(source(L""), sun), "11000");
    EXPECT_EQ(visited(source(L"favor_JRE"), sun), "11000");
    EXPECT_EQ(visited(source(L"favor_JDK"), sun), "11000");
    EXPECT_EQ(visited(source(L"only_JDK"), sun), "10000");
    EXPECT_EQ(visited(source(L"only_JRE"), sun), "01000");
    EXPECT_EQ(visited(source(L"Only_JDK"), sun), "00000");  // unrecognised: nothing at all
}

TEST(JvmSource, FavouredKindIsPreferredOnlyWithTheFavouredProvider) {
    const ProviderFlags sun;
    EXPECT_EQ(preferred(source(L"favor_JRE"), sun), "01000");
    EXPECT_EQ(preferred(source(L"favor_JDK"), sun), "10000");
    EXPECT_EQ(preferred(source(L""), sun), "11000");
    EXPECT_TRUE(source(L"").favorSource);
    EXPECT_FALSE(source(L"only_JDK").favorSource);
    EXPECT_EQ(preferred(source(L"favor_JRE"), provider(L"favor_ibm")), "00001");
}

TEST(VmProvider, CopiesAWholeRowOfTheTableInAnyCase) {
    const SourceFlags all;
    EXPECT_EQ(visited(all, provider(L"")), "11000");
    EXPECT_EQ(visited(all, provider(L"JRockit")), "00110");
    EXPECT_EQ(visited(all, provider(L"JROCKIT")), "00110");
    EXPECT_EQ(visited(all, provider(L"ibm")), "00001");
    EXPECT_EQ(visited(all, provider(L"Any")), "11111");
    EXPECT_EQ(visited(all, provider(L"favor_SUN")), "11111");
    EXPECT_EQ(preferred(all, provider(L"favor_sun")), "11000");
    EXPECT_EQ(preferred(all, provider(L"Favor_JRockit")), "00110");
    EXPECT_EQ(preferred(all, provider(L"any")), "00000");
}

TEST(VmProvider, UnknownValuesKeepTheCurrentFlags) {
    ProviderFlags flags;
    applyVmProvider(L"ibm", flags);
    applyVmProvider(L"ibmx", flags);
    applyVmProvider(L"jrockit ", flags);
    EXPECT_EQ(visited(SourceFlags{}, flags), "00001");
}

}  // namespace

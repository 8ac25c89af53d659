#include <gtest/gtest.h>

#include "discovery/ModernRuntimeKeys.h"
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
    for (const wchar_t* classic : {L"classic", L"Classic", L"CLASSIC"}) {
        EXPECT_EQ(runtimeRegistrationsFromSetting(classic), RuntimeRegistrations::Classic) << classic;
    }
    for (const wchar_t* all : {L"", L"all", L"classic only"}) {
        EXPECT_EQ(runtimeRegistrationsFromSetting(all), RuntimeRegistrations::All) << all;
    }
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

// Which of the layouts a search opens, as 0/1 in table order.
std::string visitedModern(const SourceFlags& s, const ProviderFlags& p) {
    std::string result;
    for (const ModernRuntimeKey& key : modernRuntimeKeys()) result += shouldVisitModern(key, s, p) ? '1' : '0';
    return result;
}

const ModernRuntimeKey& keyAt(const wchar_t* path, const wchar_t* entryPath = L"") {
    for (const ModernRuntimeKey& key : modernRuntimeKeys()) {
        if (std::wstring(key.key.path) == path && std::wstring(key.entryPath).find(entryPath) == 0) return key;
    }
    static const ModernRuntimeKey none{};
    ADD_FAILURE() << "no layout";
    return none;
}

TEST(ModernRuntimeKeys, HotSpotFollowsTheSunFlagsAndOpenJ9TheIbmOnes) {
    // Oracle JDK, Oracle JRE, Temurin JDK, JRE, Eclipse, AdoptOpenJDK JDK, JRE, its OpenJ9 JDK, JRE,
    // Semeru JDK, JRE, Microsoft, Zulu, Liberica.
    EXPECT_EQ(visitedModern(source(L""), provider(L"")), "11111110000111");
    EXPECT_EQ(visitedModern(source(L""), provider(L"ibm")), "00000001111000");
    EXPECT_EQ(visitedModern(source(L""), provider(L"jrockit")), "00000000000000");
    EXPECT_EQ(visitedModern(source(L""), provider(L"any")), "11111111111111");
    EXPECT_EQ(visitedModern(source(L"only_JDK"), provider(L"any")), "10101101010111");
    // A name-keyed installation may be a JRE, so only_JRE still opens those keys.
    EXPECT_EQ(visitedModern(source(L"only_JRE"), provider(L"any")), "01010010101011");
}

TEST(ModernRuntimeKeys, AnInstallationNameDecidesItsKindOnlyWhereNoVersionIsTheName) {
    const ModernRuntimeKey& zulu = keyAt(L"Software\\Azul Systems\\Zulu\\");
    EXPECT_EQ(entryKey(zulu, L"zulu-17").kind, RuntimeKind::Jdk);
    EXPECT_EQ(entryKey(zulu, L"zulu-17-JRE").kind, RuntimeKind::Jre);
    EXPECT_EQ(entryKey(zulu, L"Zulu JRE 8").kind, RuntimeKind::Jre);
    const ModernRuntimeKey& temurin = keyAt(L"Software\\Eclipse Adoptium\\JDK\\");
    EXPECT_EQ(entryKey(temurin, L"jre-named").kind, RuntimeKind::Jdk);

    EXPECT_EQ(entryPathFor(temurin, L"17.0.9.9"), L"17.0.9.9\\hotspot\\MSI");
    EXPECT_EQ(entryPathFor(zulu, L"zulu-17"), L"zulu-17");
    EXPECT_EQ(std::wstring(keyAt(L"Software\\AdoptOpenJDK\\JDK\\", L"openj9").entryPath), L"openj9\\MSI");
}

}  // namespace

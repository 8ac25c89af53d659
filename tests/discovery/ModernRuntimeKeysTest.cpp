#include <gtest/gtest.h>

#include "discovery/ModernRuntimeKeys.h"

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

// Which of the layouts a search opens, as 0/1 in table order.
std::string visited(const SourceFlags& s, const ProviderFlags& p) {
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
    EXPECT_EQ(visited(source(L""), provider(L"")), "11111110000111");
    EXPECT_EQ(visited(source(L""), provider(L"ibm")), "00000001111000");
    EXPECT_EQ(visited(source(L""), provider(L"jrockit")), "00000000000000");
    EXPECT_EQ(visited(source(L""), provider(L"any")), "11111111111111");
    EXPECT_EQ(visited(source(L"only_JDK"), provider(L"any")), "10101101010111");
    // A name-keyed installation may be a JRE, so only_JRE still opens those keys.
    EXPECT_EQ(visited(source(L"only_JRE"), provider(L"any")), "01010010101011");
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

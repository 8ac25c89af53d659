#include <gtest/gtest.h>

#include <string>

#include "DiscoveryFixtures.h"
#include "discovery/RegistryRuntimes.h"

namespace {

class RegistrySearch : public ::testing::Test {
protected:
    // The folder without its trailing backslash, as installers store it.
    static std::wstring stored(const std::wstring& home) { return home.substr(0, home.size() - 1); }

    RuntimeRequirements settingsWith(const std::wstring& source, const std::wstring& provider = L"") {
        RuntimeRequirements settings;
        applyJvmSource(source, settings.source);
        applyVmProvider(provider, settings.provider);
        return settings;
    }

    TempFolder temp;
    RuntimeRegistry registry;
};

TEST_F(RegistrySearch, ServerOnlyAcceptsNothingButAServerVm) {
    registry.add(kJavaSoftJre, L"1.8", stored(temp.runtime(L"jre8\\", {kClient})));
    registry.add(kJavaSoftJdk, L"1.8", stored(temp.path() + L"jdk8\\"));
    temp.runtime(L"jdk8\\jre\\", {kClient});
    RuntimeRequirements settings;
    settings.jvmTypeMode = JvmTypeMode::ServerOnly;
    EXPECT_EQ(searched(settings), L"(none)");

    settings.jvmTypeMode = JvmTypeMode::Default;
    EXPECT_EQ(searched(settings), temp.path() + L"jdk8\\jre\\");
}

TEST_F(RegistrySearch, FavorServerTakesAnOlderServerJdkOverANewerClientOne) {
    registry.add(kJavaSoftJdk, L"1.7", stored(temp.path() + L"jdk7\\"));
    registry.add(kJavaSoftJdk, L"1.8", stored(temp.path() + L"jdk8\\"));
    temp.runtime(L"jdk7\\jre\\", {kServer});
    temp.runtime(L"jdk8\\jre\\", {kClient});
    RuntimeRequirements settings;
    settings.jvmTypeMode = JvmTypeMode::FavorServer;
    EXPECT_EQ(searched(settings), temp.path() + L"jdk7\\jre\\");
    settings.jvmTypeMode = JvmTypeMode::Default;
    EXPECT_EQ(searched(settings), temp.path() + L"jdk8\\jre\\");
}

TEST_F(RegistrySearch, AJavaSoftJreRanksByItsClientVmUnderFavorServer) {
    registry.add(kJavaSoftJre, L"1.8", stored(temp.runtime(L"jre8\\", {kClient, kServer})));
    registry.add(kJavaSoftJdk, L"1.7", stored(temp.path() + L"jdk7\\"));
    temp.runtime(L"jdk7\\jre\\", {kServer});
    RuntimeRequirements settings;
    settings.jvmTypeMode = JvmTypeMode::FavorServer;
    EXPECT_EQ(searched(settings), temp.path() + L"jdk7\\jre\\");
}

TEST_F(RegistrySearch, TheFavouredSourceOutranksTheVersion) {
    registry.add(kJavaSoftJdk, L"1.8", stored(temp.path() + L"jdk8\\"));
    temp.runtime(L"jdk8\\jre\\", {kClient});
    registry.add(kJavaSoftJre, L"1.7", stored(temp.runtime(L"jre7\\", {kClient})));

    EXPECT_EQ(searched(settingsWith(L"favor_JRE")), temp.path() + L"jre7\\");
    EXPECT_EQ(searched(settingsWith(L"")), temp.path() + L"jdk8\\jre\\");
    EXPECT_EQ(searched(settingsWith(L"favor_JDK")), temp.path() + L"jdk8\\jre\\");
    EXPECT_EQ(searched(settingsWith(L"only_JRE")), temp.path() + L"jre7\\");
    EXPECT_EQ(searched(settingsWith(L"something")), L"(none)");
}

TEST_F(RegistrySearch, OnlyJdkNeverTakesARuntimeFromAJreKey) {
    registry.add(kJavaSoftJre, L"1.8", stored(temp.runtime(L"jre8\\", {kClient})));
    const RuntimeRequirements settings = settingsWith(L"only_JDK");
    EXPECT_EQ(searched(settings), L"(none)");

    // A JDK contributes its private runtime, never its own root.
    registry.add(kJavaSoftJdk, L"1.6", stored(temp.runtime(L"jdk6\\", {kClient})));
    EXPECT_EQ(searched(settings), L"(none)");
    temp.runtime(L"jdk6\\jre\\", {kClient});
    EXPECT_EQ(searched(settings), temp.path() + L"jdk6\\jre\\");
}

TEST_F(RegistrySearch, JRockitInAnyCaseSearchesOnlyTheJRockitKeys) {
    registry.add(kJavaSoftJre, L"1.9", stored(temp.runtime(L"sun\\", {kClient})));
    registry.add(kIbmJre, L"1.9", stored(temp.runtime(L"ibm\\", {kClient})));
    registry.add(kJRockitJre, L"1.6", stored(temp.runtime(L"jrockit6\\", {kJRockitVm})));
    registry.add(kJRockitJdk, L"1.7", stored(temp.path() + L"jrockitJdk7\\"));
    temp.runtime(L"jrockitJdk7\\jre\\", {kJRockitVm});

    for (const wchar_t* provider : {L"JRockit", L"jrockit", L"JROCKIT"}) {
        EXPECT_EQ(searched(settingsWith(L"", provider)), temp.path() + L"jrockitJdk7\\jre\\") << provider;
    }
    EXPECT_EQ(searched(settingsWith(L"only_JRE", L"jRockit")), temp.path() + L"jrockit6\\");
    EXPECT_EQ(searched(settingsWith(L"", L"IBM")), temp.path() + L"ibm\\");
    EXPECT_EQ(searched(settingsWith(L"", L"favor_ibm")), temp.path() + L"ibm\\");
}

TEST_F(RegistrySearch, PreferredVersionsPickWithinTheRankedList) {
    registry.add(kJavaSoftJre, L"1.6.0_45", stored(temp.runtime(L"jre6\\", {kClient})));
    registry.add(kJavaSoftJre, L"1.7.0_80", stored(temp.runtime(L"jre7\\", {kClient})));
    RuntimeRequirements settings;

    settings.preferredVersions = {L"1.6", L"1.7"};
    EXPECT_EQ(searched(settings), temp.path() + L"jre6\\");
    settings.preferredVersions = {L"1.9", L"1.7"};
    EXPECT_EQ(searched(settings), temp.path() + L"jre7\\");
    settings.preferredVersions = {L"newest", L"1.6"};
    EXPECT_EQ(searched(settings), temp.path() + L"jre7\\");

    // A preferred version outside the limits is never a candidate.
    settings.preferredVersions = {L"1.6"};
    settings.versionMin = parseVersion(L"1.7", kVersionFillMin);
    EXPECT_EQ(searched(settings), temp.path() + L"jre7\\");
    settings.preferredVersions = {L"1.7"};
    settings.versionMin = JavaVersion{};
    settings.versionMax = parseVersion(L"1.6", kVersionFillMax);
    EXPECT_EQ(searched(settings), temp.path() + L"jre6\\");
    settings.versionMin = parseVersion(L"1.8", kVersionFillMin);
    settings.versionMax = JavaVersion{};
    EXPECT_EQ(searched(settings), L"(none)");
}

TEST_F(RegistrySearch, TheOtherArchitecturesViewIsReadOnlyWithAPairProduct) {
    registry.add(kJavaSoftJre, L"1.8", stored(temp.runtime(L"paired\\", {kServer})), kPairedTestView);
    RuntimeRequirements settings;
    EXPECT_EQ(searched(settings, kOwnRegistryView), L"(none)");
    EXPECT_EQ(searched(settings, kPairedRegistryView), L"(none)");

    settings.hasPairProduct = true;
    EXPECT_EQ(searched(settings, kOwnRegistryView), L"(none)");
    EXPECT_EQ(searched(settings, kPairedRegistryView), temp.path() + L"paired\\");

    registry.add(kJavaSoftJre, L"1.6", stored(temp.runtime(L"own\\", {kClient})), kOwnTestView);
    EXPECT_EQ(searched(settings, kOwnRegistryView), temp.path() + L"own\\");
}

TEST_F(RegistrySearch, AThousandSubkeysUnderOneKeyRankCorrectly) {
    const std::wstring common = stored(temp.runtime(L"common\\", {kClient}));
    const std::wstring best = stored(temp.runtime(L"best\\", {kClient}));
    for (int update = 0; update < 1000; ++update) {
        const std::wstring name = L"1.7.0_" + std::to_wstring(update);
        registry.add(kJavaSoftJre, name, update == 731 ? best : common);
        if (HasFatalFailure()) return;
    }
    RuntimeRequirements settings;
    settings.versionMax = parseVersion(L"1.7.0_731", kVersionFillMax);
    EXPECT_EQ(searched(settings), best + L"\\");

    std::vector<RegisteredRuntime> candidates;
    scanRuntimeKey(runtimeKeys()[1], kOwnRegistryView, RuntimeCriteria{}, candidates);
    EXPECT_EQ(candidates.size(), 1000u);
}

TEST_F(RegistrySearch, OddSubkeyNamesParseAsVersionsOrZero) {
    registry.add(kJavaSoftJre, L"latest", stored(temp.runtime(L"named\\", {kClient})));
    RuntimeRequirements settings;
    EXPECT_EQ(searched(settings),
              temp.path() + L"named\\");  // 0.0.0.0 passes an open range

    settings.versionMin = parseVersion(L"1.6", kVersionFillMin);
    EXPECT_EQ(searched(settings), L"(none)");

    const std::wstring longName = L"1.8.0_" + std::wstring(249, L'9');
    ASSERT_EQ(longName.size(), 255u);
    registry.add(kJavaSoftJre, longName, stored(temp.runtime(L"long\\", {kClient})));
    std::vector<RegisteredRuntime> candidates;
    scanRuntimeKey(runtimeKeys()[1], kOwnRegistryView, RuntimeCriteria{}, candidates);
    ASSERT_EQ(candidates.size(), 2u);
    // The overlong update number does not parse, so the subkey counts as 0.0.0.0.
    EXPECT_EQ(candidates[1].runtime.version, JavaVersion{});
}

TEST_F(RegistrySearch, OnlyNonEmptyStringValuesNameAHome) {
    const std::wstring good = stored(temp.runtime(L"good\\", {kClient}));
    // A real runtime, so only the value's type can keep it out.
    const std::wstring typed = stored(temp.runtime(L"typed\\", {kClient}));
    const DWORD typedSize = DWORD((typed.size() + 1) * sizeof(wchar_t));
    const DWORD number = 42;
    registry.addRaw(kJavaSoftJre, L"1.9.1", REG_DWORD, &number, sizeof number);
    registry.addRaw(kJavaSoftJre, L"1.9.2", REG_BINARY, typed.c_str(), typedSize);
    registry.addRaw(kJavaSoftJre, L"1.9.3", REG_SZ, L"", sizeof(wchar_t));
    registry.addRaw(kJavaSoftJre, L"1.9.4", REG_SZ, L"", 0);
    registry.addRaw(kJavaSoftJre, L"1.9.5", REG_SZ, nullptr, 0);
    registry.addRaw(kJavaSoftJre, L"1.9.6", REG_MULTI_SZ, (typed + L'\0').c_str(), typedSize + sizeof(wchar_t));
    registry.add(kJavaSoftJre, L"1.1", good);

    RuntimeRequirements settings;
    EXPECT_EQ(searched(settings), good + L"\\");

    // Stored without its terminator, and REG_EXPAND_SZ taken as stored.
    const std::wstring unterminated = stored(temp.runtime(L"unterminated\\", {kClient}));
    registry.addRaw(kJavaSoftJre, L"1.2", REG_SZ, unterminated.data(), DWORD(unterminated.size() * sizeof(wchar_t)));
    EXPECT_EQ(searched(settings), unterminated + L"\\");
    const std::wstring expandable = stored(temp.runtime(L"expand\\", {kClient}));
    registry.addRaw(kJavaSoftJre, L"1.3", REG_EXPAND_SZ, expandable.c_str(),
                    DWORD((expandable.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(searched(settings), expandable + L"\\");
}

}  // namespace

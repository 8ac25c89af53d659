// The registry layouts of current installers, read after the classic keys
// through the same filters and ranking.
#include <gtest/gtest.h>

#include <string>

#include "DiscoveryFixtures.h"
#include "discovery/RegistryRuntimes.h"

namespace {

const std::wstring kTemurinJdk = L"Software\\Eclipse Adoptium\\JDK\\";
const std::wstring kTemurinJre = L"Software\\Eclipse Adoptium\\JRE\\";
const std::wstring kSemeruJdk = L"Software\\Semeru\\JDK\\";
const std::wstring kAdoptJdk = L"Software\\AdoptOpenJDK\\JDK\\";
const std::wstring kMicrosoftJdk = L"Software\\Microsoft\\JDK\\";
const std::wstring kZulu = L"Software\\Azul Systems\\Zulu\\";
const std::wstring kLiberica = L"Software\\BellSoft\\Liberica\\";

class ModernRegistrySearch : public ::testing::Test {
protected:
    // A JDK 9+ home: no jre\ folder, the VM under bin\ itself.
    std::wstring jdk(const std::wstring& relative, const wchar_t* library = kServer) {
        return temp.runtime(relative, {library});
    }
    std::wstring withRelease(const std::wstring& home, const std::string& text) {
        temp.writeFile(home.substr(temp.path().size()) + L"release", text);
        return home;
    }
    void addMsi(const std::wstring& key, const std::wstring& version, const std::wstring& home,
                const wchar_t* variant = L"hotspot") {
        registry.addValue(key + version + L"\\" + variant + L"\\MSI", L"Path", home);
    }
    void addNamed(const std::wstring& key, const std::wstring& name, const std::wstring& home) {
        registry.addValue(key + name, L"InstallationPath", home);
    }
    // The versions of the usable runtimes the pass collects from one layout, in enumeration order.
    std::wstring versionsUnder(const std::wstring& path, const RuntimeCriteria& criteria = {}) {
        std::wstring text;
        for (const ModernRuntimeKey& key : modernRuntimeKeys()) {
            if (path != key.key.path) continue;
            RuntimeFolderCache folders;
            std::vector<RegisteredRuntime> registered;
            scanModernRuntimeKey(key, kOwnRegistryView, criteria, folders, registered);
            for (RegisteredRuntime& runtime : registered) {
                if (!resolveRuntime(runtime, kOwnRegistryView, folders)) continue;
                text += formatVersion(runtime.runtime.version) + L" ";
            }
        }
        return text;
    }

    TempFolder temp;
    RuntimeRegistry registry;
};

RuntimeRequirements settingsWith(const std::wstring& source, const std::wstring& provider = L"") {
    RuntimeRequirements settings;
    applyJvmSource(source, settings.source);
    applyVmProvider(provider, settings.provider);
    return settings;
}

TEST_F(ModernRegistrySearch, VersionSubkeysOfEveryFormParse) {
    const std::wstring home = jdk(L"jdk\\");
    for (const wchar_t* version : {L"17.0.9+9", L"21", L"11.0.21.9", L"1.8.0_392"}) {
        addMsi(kMicrosoftJdk, version, home);
    }
    EXPECT_EQ(versionsUnder(kMicrosoftJdk), L"1.8.0.392 11.0.21.9 17.0.9.9 21.0 ");

    // Java 8 named the current way counts as 1.8, like every classic key and setting.
    addMsi(kTemurinJdk, L"8.0.392.8", home);
    EXPECT_EQ(versionsUnder(kTemurinJdk), L"1.8.0.392 ");
    RuntimeCriteria java8;
    java8.versionMax = parseVersion(L"1.8", kVersionFillMax);
    EXPECT_EQ(versionsUnder(kTemurinJdk, java8), L"1.8.0.392 ");
    EXPECT_EQ(versionsUnder(kMicrosoftJdk, java8), L"1.8.0.392 ");
}

TEST_F(ModernRegistrySearch, TheReleaseFileNamesTheVersionWhereTheKeyNameDoesNot) {
    addNamed(kZulu, L"zulu-21", withRelease(jdk(L"zulu21\\"), "IMPLEMENTOR=\"Azul\"\nJAVA_VERSION=\"21.0.1\"\n"));
    addNamed(kZulu, L"Zulu JDK", withRelease(jdk(L"zulu17\\"), "JAVA_VERSION=\"17.0.9\"\r\n"));
    addNamed(kZulu, L"zulu-garbage", withRelease(jdk(L"garbage\\"), std::string("JAVA_VERSION=\"\xff\x01 beta\"\n")));
    addNamed(kZulu, L"zulu-none", jdk(L"norelease\\"));
    EXPECT_EQ(versionsUnder(kZulu), L"17.0.9 21.0.1 ");

    addNamed(kLiberica, L"jdk-8", withRelease(jdk(L"liberica8\\"), "JAVA_VERSION=\"1.8.0_392\"\n"));
    EXPECT_EQ(versionsUnder(kLiberica), L"1.8.0.392 ");

    // A version subkey that does not parse falls back to the release file; without one it is skipped.
    addMsi(kTemurinJdk, L"latest", withRelease(jdk(L"latest\\"), "JAVA_VERSION=\"22\"\n"));
    addMsi(kTemurinJdk, L"nightly", jdk(L"nightly\\"));
    EXPECT_EQ(versionsUnder(kTemurinJdk), L"22.0 ");
}

TEST_F(ModernRegistrySearch, AmongEqualVersionsTheClassicKeysWin) {
    registry.add(kJavaSoftJre, L"1.8.0_392", temp.runtime(L"javasoft8\\", {kClient}));
    addMsi(kTemurinJre, L"8.0.392.8", jdk(L"temurin8\\", kClient));
    EXPECT_EQ(searched(RuntimeRequirements{}), temp.path() + L"javasoft8\\");
    EXPECT_EQ(searched(settingsWith(L"favor_JRE")), temp.path() + L"javasoft8\\");
    addMsi(kTemurinJre, L"8.0.402.6", jdk(L"temurin8u402\\", kClient));
    EXPECT_EQ(searched(RuntimeRequirements{}), temp.path() + L"temurin8u402\\");
}

TEST_F(ModernRegistrySearch, AnInstallationNamedAsAJreCountsAsOne) {
    addNamed(kZulu, L"zulu-17-jre", withRelease(jdk(L"zulu17jre\\"), "JAVA_VERSION=\"17.0.9\"\n"));
    addNamed(kLiberica, L"jdk-21", withRelease(jdk(L"liberica21\\"), "JAVA_VERSION=\"21\"\n"));
    EXPECT_EQ(searched(settingsWith(L"only_JRE")), temp.path() + L"zulu17jre\\");
    EXPECT_EQ(searched(settingsWith(L"only_JDK")), temp.path() + L"liberica21\\");
    EXPECT_EQ(searched(settingsWith(L"favor_JRE")), temp.path() + L"zulu17jre\\");
}

TEST_F(ModernRegistrySearch, OpenJ9IsWhatTheIbmProviderAsksFor) {
    addMsi(kTemurinJdk, L"21.0.1.12", jdk(L"temurin21\\"));
    addMsi(kSemeruJdk, L"17.0.9.9", jdk(L"semeru17\\"), L"openj9");
    addMsi(kAdoptJdk, L"11.0.21.9", jdk(L"adopt11-openj9\\"), L"openj9");
    addMsi(kAdoptJdk, L"16.0.2.7", jdk(L"adopt16\\"));

    EXPECT_EQ(searched(RuntimeRequirements{}), temp.path() + L"temurin21\\");
    EXPECT_EQ(searched(settingsWith(L"", L"ibm")), temp.path() + L"semeru17\\");
    RuntimeRequirements ibm = settingsWith(L"", L"ibm");
    ibm.versionMax = parseVersion(L"16", kVersionFillMax);
    EXPECT_EQ(searched(ibm), temp.path() + L"adopt11-openj9\\");
    // Favoured, so ahead of the newer HotSpot runtime.
    EXPECT_EQ(searched(settingsWith(L"", L"favor_ibm")), temp.path() + L"semeru17\\");
    EXPECT_EQ(searched(settingsWith(L"", L"any")), temp.path() + L"temurin21\\");
}

class JavaHomeRuntime : public ModernRegistrySearch {
protected:
    ~JavaHomeRuntime() override { SetEnvironmentVariableW(L"JAVA_HOME", nullptr); }

    std::wstring found(const wchar_t* javaHome, const std::wstring& max = L"any") {
        SetEnvironmentVariableW(L"JAVA_HOME", javaHome);
        const JavaVersion versionMax = max == L"any" ? JavaVersion{} : parseVersion(max, kVersionFillMax);
        handOver = true;
        const std::wstring library =
            findJavaHomeLibrary(JavaVersion{}, versionMax, JvmTypeMode::Default, false, handOver);
        return library.empty() ? L"(none)" : library;
    }
    bool handOver = false;
};

TEST_F(JavaHomeRuntime, AJava8JdkLendsItsPrivateRuntimeAndAFolderWithoutReleaseIsVersionZero) {
    temp.runtime(L"jdk8\\jre\\", {kClient});
    const std::wstring jdk8 = temp.path() + L"jdk8";
    EXPECT_EQ(found(jdk8.c_str()), jdk8 + L"\\jre\\" + kClient);
    EXPECT_FALSE(handOver);
    EXPECT_EQ(found(jdk8.c_str(), L"1.8"), jdk8 + L"\\jre\\" + kClient);

    const std::wstring home = withRelease(jdk(L"jdk17\\"), "JAVA_VERSION=\"17.0.9\"\n");
    EXPECT_EQ(found(home.c_str()), home + kServer);
    EXPECT_EQ(found(home.c_str(), L"1.8"), L"(none)");
}

}  // namespace

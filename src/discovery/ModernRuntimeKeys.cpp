#include "discovery/ModernRuntimeKeys.h"

#include "core/SettingsRules.h"

namespace {

constexpr RuntimeKind kJdk = RuntimeKind::Jdk;
constexpr RuntimeKind kJre = RuntimeKind::Jre;
// HotSpot builds are what the Sun flags have always asked for; OpenJ9 is the
// VM family an application asks for with the IBM flags.
constexpr RuntimeProvider kHotSpot = RuntimeProvider::Sun;
constexpr RuntimeProvider kOpenJ9 = RuntimeProvider::Ibm;

bool namesJre(const std::wstring& name) {
    for (size_t i = 0; i + 3 <= name.size(); ++i) {
        if (lowerAscii(name[i]) == L'j' && lowerAscii(name[i + 1]) == L'r' && lowerAscii(name[i + 2]) == L'e') {
            return true;
        }
    }
    return false;
}

}  // namespace

const std::array<ModernRuntimeKey, 14>& modernRuntimeKeys() {
    static const std::array<ModernRuntimeKey, 14> keys{{
        {{L"Software\\JavaSoft\\JDK\\", kJdk, kHotSpot}, L"", L"JavaHome", VersionSource::SubkeyName},
        {{L"Software\\JavaSoft\\JRE\\", kJre, kHotSpot}, L"", L"JavaHome", VersionSource::SubkeyName},
        {{L"Software\\Eclipse Adoptium\\JDK\\", kJdk, kHotSpot}, L"hotspot\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\Eclipse Adoptium\\JRE\\", kJre, kHotSpot}, L"hotspot\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\Eclipse Foundation\\JDK\\", kJdk, kHotSpot}, L"hotspot\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\AdoptOpenJDK\\JDK\\", kJdk, kHotSpot}, L"hotspot\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\AdoptOpenJDK\\JRE\\", kJre, kHotSpot}, L"hotspot\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\AdoptOpenJDK\\JDK\\", kJdk, kOpenJ9}, L"openj9\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\AdoptOpenJDK\\JRE\\", kJre, kOpenJ9}, L"openj9\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\Semeru\\JDK\\", kJdk, kOpenJ9}, L"openj9\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\Semeru\\JRE\\", kJre, kOpenJ9}, L"openj9\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\Microsoft\\JDK\\", kJdk, kHotSpot}, L"hotspot\\MSI", L"Path", VersionSource::SubkeyName},
        {{L"Software\\Azul Systems\\Zulu\\", kJdk, kHotSpot}, L"", L"InstallationPath", VersionSource::ReleaseFile},
        {{L"Software\\BellSoft\\Liberica\\", kJdk, kHotSpot}, L"", L"InstallationPath", VersionSource::ReleaseFile},
    }};
    return keys;
}

RuntimeKey entryKey(const ModernRuntimeKey& key, const std::wstring& subkeyName) {
    RuntimeKey entry = key.key;
    if (key.versionSource == VersionSource::ReleaseFile) entry.kind = namesJre(subkeyName) ? kJre : kJdk;
    return entry;
}

bool shouldVisitModern(const ModernRuntimeKey& key, const SourceFlags& source, const ProviderFlags& provider) {
    if (key.versionSource == VersionSource::SubkeyName) return shouldVisit(key.key, source, provider);
    return shouldVisit({key.key.path, kJdk, key.key.provider}, source, provider) ||
           shouldVisit({key.key.path, kJre, key.key.provider}, source, provider);
}

std::wstring entryPathFor(const ModernRuntimeKey& key, const std::wstring& subkeyName) {
    if (key.entryPath[0] == L'\0') return subkeyName;
    return subkeyName + L"\\" + key.entryPath;
}

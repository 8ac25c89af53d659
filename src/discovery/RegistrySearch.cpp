#include "core/LauncherSettings.h"
#include "core/SettingsRules.h"
#include "core/win/Scoped.h"
#include "discovery/RegistryRuntimes.h"
#include "discovery/RegistryText.h"

#include <vector>

namespace {

constexpr DWORD kMaxKeyNameLength = 255;

// Calls `visit(parent, name)` for each direct subkey of HKLM\`path`, in enumeration order.
template <typename Visit>
void forEachSubkey(const wchar_t* path, RegistryView view, Visit visit) {
    ScopedRegistryKey parent;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_ENUMERATE_SUB_KEYS | registryViewFlag(view),
                      parent.receive()) != ERROR_SUCCESS) {
        return;
    }
    wchar_t name[kMaxKeyNameLength + 1];
    for (DWORD index = 0;; ++index) {
        DWORD length = kMaxKeyNameLength + 1;
        if (RegEnumKeyExW(parent.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        visit(parent.get(), std::wstring(name, length));
    }
}

RuntimeCriteria criteriaOf(const LauncherSettings& settings) {
    return {settings.versionMin, settings.versionMax, settings.source, settings.provider, settings.jvmTypeMode};
}

}  // namespace

REGSAM registryViewFlag(RegistryView view) {
    if (view == kOwnRegistryView) return 0;
    return view == RegistryView::Wide64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

bool readRuntimeHome(HKEY parent, const std::wstring& subkeyPath, RegistryView view, const wchar_t* valueName,
                     std::wstring& home) {
    home.clear();
    ScopedRegistryKey runtime;
    if (RegOpenKeyExW(parent, subkeyPath.c_str(), 0, KEY_QUERY_VALUE | registryViewFlag(view), runtime.receive()) !=
        ERROR_SUCCESS) {
        return false;
    }

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(runtime.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    std::vector<BYTE> data;
    LSTATUS status = ERROR_MORE_DATA;
    // The value may grow between the two calls; the size returned then is the new one.
    for (int attempt = 0; attempt < 3 && status == ERROR_MORE_DATA; ++attempt) {
        if (size == 0) return false;
        data.resize(size);
        status = RegQueryValueExW(runtime.get(), valueName, nullptr, &type, data.data(), &size);
    }
    if (status != ERROR_SUCCESS) return false;
    return registryText(type, data.data(), size, home) && !home.empty();
}

void scanRuntimeKey(const RuntimeKey& key, RegistryView view, const RuntimeCriteria& criteria,
                    std::vector<JavaRuntime>& candidates) {
    const bool preferred = isPreferredKey(key, criteria.source, criteria.provider);
    const JvmTypeMode probeMode = probeModeFor(key, criteria.jvmTypeMode);
    forEachSubkey(key.path, view, [&](HKEY parent, const std::wstring& name) {
        const JavaVersion version = parseVersion(name, kVersionFillMin);
        if (!isWithinLimits(version, criteria.versionMin, criteria.versionMax)) return;

        std::wstring javaHome;
        if (!readRuntimeHome(parent, name, view, L"JavaHome", javaHome)) return;
        std::wstring home = runtimeHomeFromJavaHome(javaHome, key.kind);
        const JvmLibrary library = findJvmLibrary(home, probeMode);
        if (library.path.empty()) return;
        candidates.push_back({version, std::move(home), library.isServer, preferred});
    });
}

void scanModernRuntimeKey(const ModernRuntimeKey& key, RegistryView view, const RuntimeCriteria& criteria,
                          std::vector<JavaRuntime>& candidates) {
    forEachSubkey(key.key.path, view, [&](HKEY parent, const std::wstring& name) {
        const RuntimeKey entry = entryKey(key, name);
        if (!shouldVisit(entry, criteria.source, criteria.provider)) return;
        JavaVersion version;
        const bool named = key.versionSource == VersionSource::SubkeyName && parseVersion(name, kVersionFillMin, version);
        // Rejected by its name alone: its values are not read.
        if (named && !isWithinLimits(withClassicNumbering(version), criteria.versionMin, criteria.versionMax)) return;

        std::wstring path;
        if (!readRuntimeHome(parent, entryPathFor(key, name), view, key.homeValue, path)) return;
        // A current JDK has no private jre\ folder: its own home holds the JVM.
        std::wstring home = withFolderBackslash(path);
        if (!named && !readReleaseVersion(home, version)) return;
        version = withClassicNumbering(version);
        if (!isWithinLimits(version, criteria.versionMin, criteria.versionMax)) return;

        const JvmLibrary library = findJvmLibrary(home, criteria.jvmTypeMode);
        if (library.path.empty()) return;
        candidates.push_back(
            {version, std::move(home), library.isServer, isPreferredKey(entry, criteria.source, criteria.provider)});
    });
}

bool searchRegistry(const LauncherSettings& settings, RegistryView view, std::wstring& home) {
    home.clear();
    if (view == kPairedRegistryView && settings.pairProduct.empty()) return false;

    const RuntimeCriteria criteria = criteriaOf(settings);
    std::vector<JavaRuntime> candidates;
    // Classic keys first, so they win among runtimes of equal version.
    for (const RuntimeKey& key : runtimeKeys()) {
        if (shouldVisit(key, criteria.source, criteria.provider)) scanRuntimeKey(key, view, criteria, candidates);
    }
    if (settings.registrations == RuntimeRegistrations::All) {
        for (const ModernRuntimeKey& key : modernRuntimeKeys()) {
            if (shouldVisitModern(key, criteria.source, criteria.provider)) {
                scanModernRuntimeKey(key, view, criteria, candidates);
            }
        }
    }
    sortCandidates(candidates, criteria.source.favorSource, criteria.jvmTypeMode);
    const JavaRuntime* chosen = selectCandidate(candidates, settings.preferredVersions);
    if (chosen == nullptr) return false;
    home = chosen->home;
    return true;
}

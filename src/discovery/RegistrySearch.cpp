#include <vector>

#include "core/win/Scoped.h"
#include "discovery/RegistryRuntimes.h"
#include "discovery/RegistryText.h"

namespace {

constexpr DWORD kMaxKeyNameLength = 255;

}  // namespace

REGSAM registryViewFlag(RegistryView view) {
    if (view == kOwnRegistryView) return 0;
    return view == RegistryView::Wide64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

bool readRuntimeHome(HKEY parent, const wchar_t* subkeyName, RegistryView view, std::wstring& javaHome) {
    javaHome.clear();
    ScopedRegistryKey runtime;
    if (RegOpenKeyExW(parent, subkeyName, 0, KEY_QUERY_VALUE | registryViewFlag(view), runtime.receive()) !=
        ERROR_SUCCESS) {
        return false;
    }

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(runtime.get(), L"JavaHome", nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    std::vector<BYTE> data;
    LSTATUS status = ERROR_MORE_DATA;
    // The value may grow between the two calls; the size returned then is the new one.
    for (int attempt = 0; attempt < 3 && status == ERROR_MORE_DATA; ++attempt) {
        if (size == 0) return false;
        data.resize(size);
        status = RegQueryValueExW(runtime.get(), L"JavaHome", nullptr, &type, data.data(), &size);
    }
    if (status != ERROR_SUCCESS) return false;
    return registryText(type, data.data(), size, javaHome) && !javaHome.empty();
}

void scanRuntimeKey(const RuntimeKey& key, RegistryView view, const RuntimeRequirements& requirements,
                    std::vector<JavaRuntime>& candidates) {
    ScopedRegistryKey parent;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.path, 0, KEY_ENUMERATE_SUB_KEYS | registryViewFlag(view),
                      parent.receive()) != ERROR_SUCCESS) {
        return;
    }

    const bool preferred = isPreferredKey(key, requirements.source, requirements.provider);
    const JvmTypeMode probeMode = probeModeFor(key, requirements.jvmTypeMode);
    wchar_t name[kMaxKeyNameLength + 1];
    for (DWORD index = 0;; ++index) {
        DWORD length = kMaxKeyNameLength + 1;
        if (RegEnumKeyExW(parent.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        const JavaVersion version = parseVersion(std::wstring(name, length), kVersionFillMin);
        if (!isWithinLimits(version, requirements.versionMin, requirements.versionMax)) continue;

        std::wstring javaHome;
        if (!readRuntimeHome(parent.get(), name, view, javaHome)) continue;
        std::wstring home = runtimeHomeFromJavaHome(javaHome, key.kind);
        const JvmLibrary library = findJvmLibrary(home, probeMode);
        if (library.path.empty()) continue;
        candidates.push_back({version, std::move(home), library.isServer, preferred});
    }
}

bool searchRegistry(const RuntimeRequirements& requirements, RegistryView view, std::wstring& home) {
    home.clear();
    if (view == kPairedRegistryView && !requirements.hasPairProduct) return false;

    std::vector<JavaRuntime> candidates;
    for (const RuntimeKey& key : runtimeKeys()) {
        if (shouldVisit(key, requirements.source, requirements.provider))
            scanRuntimeKey(key, view, requirements, candidates);
    }
    sortCandidates(candidates, requirements.source.favorSource, requirements.jvmTypeMode);
    const JavaRuntime* chosen = selectCandidate(candidates, requirements.preferredVersions);
    if (chosen == nullptr) return false;
    home = chosen->home;
    return true;
}

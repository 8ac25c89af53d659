#include "core/win/DiagnosticLog.h"
#include "core/win/Scoped.h"
#include "discovery/RegistryRuntimes.h"
#include "discovery/RegistryText.h"

#include <vector>

namespace {

constexpr DWORD kMaxKeyNameLength = 255;

// Calls `visit(context, name)` for each direct subkey of HKLM\`path`, in
// enumeration order. Not a template: one copy of the loop serves every pass.
void enumerateSubkeys(const wchar_t* path, RegistryView view, void (*visit)(void*, const std::wstring&),
                      void* context) {
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
        visit(context, std::wstring(name, length));
    }
}

template <typename Visit>
void forEachSubkey(const wchar_t* path, RegistryView view, Visit visit) {
    enumerateSubkeys(
        path, view, [](void* context, const std::wstring& name) { (*static_cast<Visit*>(context))(name); }, &visit);
}

const char* viewName(RegistryView view) { return view == RegistryView::Wide64 ? "64-bit" : "32-bit"; }

// Which preference keeps a search out of `key`: the runtime kind, or else the provider.
const char* preferenceRefusal(const RuntimeKey& key, const RuntimeCriteria& criteria) {
    const ProviderFlags anyProvider{true, false, true, false, true, false};
    return shouldVisit(key, criteria.source, anyProvider) ? "VM Provider" : "JVM Source";
}

// Names each runtime registered under a key the search leaves unopened.
void logRefusedKey(const RuntimeKey& key, RegistryView view, const RuntimeCriteria& criteria) {
    forEachSubkey(key.path, view, [&](const std::wstring& name) {
        logLine("candidate %a HKLM\\%s%s: refused, %a", viewName(view), key.path, name.c_str(),
                preferenceRefusal(key, criteria));
    });
}

// A current JDK has no private jre\ folder: its own home holds the JVM.
std::wstring homeFrom(const std::wstring& value, bool privateJre) {
    return runtimeHomeFromJavaHome(value, privateJre ? RuntimeKind::Jdk : RuntimeKind::Jre);
}

}  // namespace

REGSAM registryViewFlag(RegistryView view) {
    if (view == kOwnRegistryView) return 0;
    return view == RegistryView::Wide64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

bool readRuntimeHome(const std::wstring& keyPath, RegistryView view, const wchar_t* valueName, std::wstring& home) {
    home.clear();
    ScopedRegistryKey runtime;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE | registryViewFlag(view),
                      runtime.receive()) != ERROR_SUCCESS) {
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
                    std::vector<RegisteredRuntime>& found) {
    const bool preferred = isPreferredKey(key, criteria.source, criteria.provider);
    const JvmTypeMode probeMode = probeModeFor(key, criteria.jvmTypeMode);
    forEachSubkey(key.path, view, [&](const std::wstring& name) {
        RegisteredRuntime registered;
        registered.runtime.version = parseVersion(name, kVersionFillMin);
        if (!isWithinLimits(registered.runtime.version, criteria.versionMin, criteria.versionMax)) {
            logLine("candidate %a HKLM\\%s%s: refused, version limit", viewName(view), key.path, name.c_str());
            return;
        }
        registered.runtime.isPreferred = preferred;
        registered.valueKey = key.path + name;
        registered.privateJre = key.kind == RuntimeKind::Jdk;
        registered.probeMode = probeMode;
        found.push_back(std::move(registered));
    });
}

void scanModernRuntimeKey(const ModernRuntimeKey& key, RegistryView view, const RuntimeCriteria& criteria,
                          RuntimeFolderCache& folders, std::vector<RegisteredRuntime>& found) {
    forEachSubkey(key.key.path, view, [&](const std::wstring& name) {
        const RuntimeKey entry = entryKey(key, name);
        if (!shouldVisit(entry, criteria.source, criteria.provider)) {
            logLine("candidate %a HKLM\\%s%s: refused, %a", viewName(view), key.key.path, name.c_str(),
                    preferenceRefusal(entry, criteria));
            return;
        }
        RegisteredRuntime registered;
        registered.runtime.isPreferred = isPreferredKey(entry, criteria.source, criteria.provider);
        registered.valueKey = key.key.path + entryPathFor(key, name);
        registered.homeValue = key.homeValue;
        registered.probeMode = criteria.jvmTypeMode;

        JavaVersion& version = registered.runtime.version;
        const bool named =
            key.versionSource == VersionSource::SubkeyName && parseVersion(name, kVersionFillMin, version);
        if (!named) {
            std::wstring value;
            const bool read = readRuntimeHome(registered.valueKey, view, key.homeValue, value);
            registered.runtime.home = homeFrom(value, false);
            if (!read || !folders.releaseVersion(registered.runtime.home, version)) {
                logLine("candidate %a HKLM\\%s: refused, no version", viewName(view), registered.valueKey.c_str());
                return;
            }
        }
        version = withClassicNumbering(version);
        if (!isWithinLimits(version, criteria.versionMin, criteria.versionMax)) {
            logLine("candidate %a HKLM\\%s: refused, version limit", viewName(view), registered.valueKey.c_str());
            return;
        }
        found.push_back(std::move(registered));
    });
}

bool resolveRuntime(RegisteredRuntime& registered, RegistryView view, RuntimeFolderCache& folders) {
    using State = RegisteredRuntime::State;
    if (registered.state != State::Unread) return registered.state == State::Usable;
    registered.state = State::Unusable;
    JavaRuntime& runtime = registered.runtime;
    if (runtime.home.empty()) {
        std::wstring value;
        if (!readRuntimeHome(registered.valueKey, view, registered.homeValue, value)) return false;
        runtime.home = homeFrom(value, registered.privateJre);
    }
    const JvmLibrary library = folders.library(runtime.home, registered.probeMode);
    if (library.path.empty()) {
        if (logIsOn()) {
            const bool clientOnly = registered.probeMode == JvmTypeMode::ServerOnly &&
                                    !folders.library(runtime.home, JvmTypeMode::Default).path.empty();
            logLine("candidate %a HKLM\\%s, home %s: refused, %a", viewName(view), registered.valueKey.c_str(),
                    runtime.home.c_str(), clientOnly ? "JVM Type: no server JVM" : "no JVM library");
        }
        return false;
    }
    runtime.isServer = library.isServer;
    registered.state = State::Usable;
    if (logIsOn()) {
        logLine("candidate %a HKLM\\%s, home %s, %a: usable", viewName(view), registered.valueKey.c_str(),
                runtime.home.c_str(), library.isServer ? "server" : "client");
    }
    return true;
}

bool searchRegistry(const RuntimeRequirements& requirements, RegistryView view, std::wstring& home,
                    JavaVersion* version) {
    home.clear();
    if (view == kPairedRegistryView && !requirements.hasPairProduct) return false;
    return searchRegisteredRuntimes(requirements, view, home, version);
}

bool searchRegisteredRuntimes(const RuntimeCriteria& criteria, RegistryView view, std::wstring& home,
                              JavaVersion* version) {
    home.clear();
    RuntimeFolderCache folders;
    std::vector<RegisteredRuntime> registered;
    // Classic keys first, so they win among runtimes of equal version.
    for (const RuntimeKey& key : runtimeKeys()) {
        if (shouldVisit(key, criteria.source, criteria.provider)) {
            scanRuntimeKey(key, view, criteria, registered);
        } else if (logIsOn()) {
            logRefusedKey(key, view, criteria);
        }
    }
    if (criteria.registrations == RuntimeRegistrations::All) {
        for (const ModernRuntimeKey& key : modernRuntimeKeys()) {
            if (shouldVisitModern(key, criteria.source, criteria.provider)) {
                scanModernRuntimeKey(key, view, criteria, folders, registered);
            } else if (logIsOn()) {
                logRefusedKey(key.key, view, criteria);
            }
        }
    }
    // Only the server rule ranks by what a folder holds; otherwise folders
    // are looked at from the top of the ranking down until one will do.
    if (criteria.jvmTypeMode == JvmTypeMode::FavorServer) {
        for (RegisteredRuntime& runtime : registered) resolveRuntime(runtime, view, folders);
    }
    std::vector<JavaRuntime> sorted;
    sorted.reserve(registered.size());
    for (const RegisteredRuntime& runtime : registered) sorted.push_back(runtime.runtime);
    const std::vector<size_t> order = rankingOrder(sorted, criteria.source.favorSource, criteria.jvmTypeMode);
    sorted.clear();
    for (size_t index : order) {
        const RegisteredRuntime& runtime = registered[index];
        sorted.push_back(runtime.runtime);
        if (logIsOn()) {
            logLine("ranked %u in the %a view: HKLM\\%s, version %s%a", static_cast<unsigned>(sorted.size()),
                    viewName(view), runtime.valueKey.c_str(), formatVersion(runtime.runtime.version).c_str(),
                    runtime.runtime.isPreferred ? ", preferred" : "");
        }
    }
    const size_t chosen = selectUsableCandidate(sorted, criteria.preferredVersions, [&](size_t rank) {
        return resolveRuntime(registered[order[rank]], view, folders);
    });
    if (chosen == kNoCandidate) {
        logLine("registry, %a view: no runtime chosen", viewName(view));
        return false;
    }
    home = registered[order[chosen]].runtime.home;
    if (version) *version = registered[order[chosen]].runtime.version;
    logLine("registry, %a view: ranked %u chosen", viewName(view), static_cast<unsigned>(chosen + 1));
    return true;
}

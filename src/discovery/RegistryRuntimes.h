// The steps of one registry pass, open to tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "discovery/ModernRuntimeKeys.h"
#include "discovery/RuntimeCriteria.h"
#include "discovery/RuntimeKeys.h"
#include "discovery/RuntimeRanking.h"
#include "discovery/RuntimeSearch.h"

REGSAM registryViewFlag(RegistryView view);

// A runtime as its registry entry describes it: the version and preference
// come from the registry; its home folder is looked at only when it could be
// chosen, since a probe costs far more than reading a subkey name.
struct RegisteredRuntime {
    enum class State { Unread, Usable, Unusable };

    JavaRuntime runtime;  // `home` and `isServer` hold once it is read
    std::wstring valueKey;  // under HKEY_LOCAL_MACHINE, holding the home value
    const wchar_t* homeValue = L"JavaHome";
    bool privateJre = false;  // a classic JDK key names a JDK whose runtime is its jre\ folder
    JvmTypeMode probeMode = JvmTypeMode::Default;
    State state = State::Unread;
};

// What runtime folders hold, looked at once per pass: side-by-side subkeys
// such as 1.8 and 1.8.0_392 name the same folder.
class RuntimeFolderCache {
public:
    JvmLibrary library(const std::wstring& home, JvmTypeMode mode);
    bool releaseVersion(const std::wstring& home, JavaVersion& version);

private:
    struct Library {
        std::wstring home;
        JvmTypeMode mode;
        JvmLibrary library;
    };
    struct Release {
        std::wstring home;
        bool named;
        JavaVersion version;
    };
    // Sorted by home, searched by halves: a map's tree code would cost more
    // of the image than these two tables.
    std::vector<Library> libraries_;
    std::vector<Release> releases_;
};

// Append every runtime registered under `key` within the limits, in
// enumeration order. A runtime whose version only its release file names has
// its home read at once.
void scanRuntimeKey(const RuntimeKey& key, RegistryView view, const RuntimeCriteria& criteria,
                    std::vector<RegisteredRuntime>& found);
void scanModernRuntimeKey(const ModernRuntimeKey& key, RegistryView view, const RuntimeCriteria& criteria,
                          RuntimeFolderCache& folders, std::vector<RegisteredRuntime>& found);

// Reads the home of `registered` and probes it, the first time only; true
// when it holds a JVM library.
bool resolveRuntime(RegisteredRuntime& registered, RegistryView view, RuntimeFolderCache& folders);

// The non-empty string value `valueName` of HKEY_LOCAL_MACHINE\`keyPath`, as stored.
bool readRuntimeHome(const std::wstring& keyPath, RegistryView view, const wchar_t* valueName, std::wstring& home);

// The registry layouts that installers of current Java runtimes write,
// searched after the classic keys. Below each key is one subkey per runtime,
// named by its version or, for some vendors, by an installation name; the
// home is a value of that subkey or of a fixed path below it.
#pragma once

#include <array>
#include <string>

#include "discovery/RuntimeKeys.h"

enum class VersionSource {
    SubkeyName,   // the subkey's name, else the home's release file
    ReleaseFile,  // only the home's release file: the name is an installation name
};

struct ModernRuntimeKey {
    RuntimeKey key;            // its kind is the runtimes' unless the installation name says otherwise
    const wchar_t* entryPath;  // below each subkey, without leading or trailing backslash; may be empty
    const wchar_t* homeValue;
    VersionSource versionSource;
};

// In the order they are searched.
const std::array<ModernRuntimeKey, 14>& modernRuntimeKeys();

// The key a subkey name stands for: a name-keyed installation is a JRE when
// its name says so ("zulu-17-jre"), else a JDK.
RuntimeKey entryKey(const ModernRuntimeKey& key, const std::wstring& subkeyName);

// Whether a search opens the key; a name-keyed one may hold either kind.
bool shouldVisitModern(const ModernRuntimeKey& key, const SourceFlags& source, const ProviderFlags& provider);

// The subkey holding the home value of the runtime named `subkeyName`.
std::wstring entryPathFor(const ModernRuntimeKey& key, const std::wstring& subkeyName);

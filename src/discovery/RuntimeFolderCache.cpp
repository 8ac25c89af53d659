#include <algorithm>

#include "discovery/RegistryRuntimes.h"

JvmLibrary RuntimeFolderCache::library(const std::wstring& home, JvmTypeMode mode) {
    auto known = std::lower_bound(libraries_.begin(), libraries_.end(), home,
                                  [](const Library& entry, const std::wstring& key) { return entry.home < key; });
    for (auto entry = known; entry != libraries_.end() && entry->home == home; ++entry) {
        if (entry->mode == mode) return entry->library;
    }
    JvmLibrary found = findJvmLibrary(home, mode);
    libraries_.insert(known, Library{home, mode, found});
    return found;
}

bool RuntimeFolderCache::releaseVersion(const std::wstring& home, JavaVersion& version) {
    auto known = std::lower_bound(releases_.begin(), releases_.end(), home,
                                  [](const Release& entry, const std::wstring& key) { return entry.home < key; });
    if (known == releases_.end() || known->home != home) {
        JavaVersion read;
        const bool named = readReleaseVersion(home, read);
        known = releases_.insert(known, Release{home, named, read});
    }
    version = known->version;
    return known->named;
}

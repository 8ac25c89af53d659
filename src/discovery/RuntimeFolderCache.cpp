#include "discovery/RegistryRuntimes.h"

JvmLibrary RuntimeFolderCache::library(const std::wstring& home, JvmTypeMode mode) {
    const auto key = std::make_pair(home, mode);
    const auto known = libraries_.find(key);
    if (known != libraries_.end()) return known->second;
    return libraries_[key] = findJvmLibrary(home, mode);
}

bool RuntimeFolderCache::releaseVersion(const std::wstring& home, JavaVersion& version) {
    auto known = releases_.find(home);
    if (known == releases_.end()) {
        JavaVersion read;
        const bool named = readReleaseVersion(home, read);
        known = releases_.emplace(home, std::make_pair(named, read)).first;
    }
    version = known->second.second;
    return known->second.first;
}

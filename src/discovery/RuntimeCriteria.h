// What a registry pass reads, admits and chooses, as plain values taken
// from the settings.
#pragma once

#include <string>
#include <vector>

#include "discovery/JavaVersion.h"
#include "discovery/RuntimePreferences.h"

struct RuntimeCriteria {
    JavaVersion versionMin;
    JavaVersion versionMax;  // 0.0.0.0 sets no upper limit
    SourceFlags source;
    ProviderFlags provider;
    JvmTypeMode jvmTypeMode = JvmTypeMode::Default;
    std::vector<std::wstring> preferredVersions;
    RuntimeRegistrations registrations = RuntimeRegistrations::All;
};

// What a registry pass admits and how it ranks, as plain values taken from
// the settings.
#pragma once

#include "discovery/JavaVersion.h"
#include "discovery/RuntimePreferences.h"

struct RuntimeCriteria {
    JavaVersion versionMin;
    JavaVersion versionMax;  // 0.0.0.0 sets no upper limit
    SourceFlags source;
    ProviderFlags provider;
    JvmTypeMode jvmTypeMode = JvmTypeMode::Default;
};

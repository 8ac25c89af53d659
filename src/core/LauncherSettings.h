// Launcher-level values read once from the settings file.
#pragma once

#include <string>
#include <vector>

#include "discovery/JavaVersion.h"
#include "discovery/RuntimePreferences.h"

struct LauncherSettings {
    std::wstring productName;
    std::wstring productCode;
    JavaVersion versionMin;
    JavaVersion versionMax;
    bool isService = false;
    std::vector<std::wstring> preferredVersions;
    std::wstring jrePath;
    JvmTypeMode jvmTypeMode = JvmTypeMode::Default;
    SourceFlags source;
    ProviderFlags provider;
    RuntimeRegistrations registrations = RuntimeRegistrations::All;
    bool useJavaHome = false;
    std::wstring mainClass;  // slash-separated
    bool failureCheck = false;
    bool overrideWorkingDir = false;
    std::wstring systemPath;
    std::wstring libraryPath;
    std::wstring pairProduct;
    bool pairReturnCode = false;
};

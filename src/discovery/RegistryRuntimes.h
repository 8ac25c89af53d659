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

// Appends every admitted runtime described under `key` in enumeration order.
void scanRuntimeKey(const RuntimeKey& key, RegistryView view, const RuntimeCriteria& criteria,
                    std::vector<JavaRuntime>& candidates);
void scanModernRuntimeKey(const ModernRuntimeKey& key, RegistryView view, const RuntimeCriteria& criteria,
                          std::vector<JavaRuntime>& candidates);

// The non-empty string value `valueName` of `subkeyPath` under `parent`, as stored.
bool readRuntimeHome(HKEY parent, const std::wstring& subkeyPath, RegistryView view, const wchar_t* valueName,
                     std::wstring& home);

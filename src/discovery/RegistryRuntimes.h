// The steps of one registry pass, open to tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "discovery/RuntimeKeys.h"
#include "discovery/RuntimeRanking.h"
#include "discovery/RuntimeSearch.h"

REGSAM registryViewFlag(RegistryView view);

// Appends every admitted runtime described under `key` in enumeration order.
void scanRuntimeKey(const RuntimeKey& key, RegistryView view, const RuntimeRequirements& requirements,
                    std::vector<JavaRuntime>& candidates);

// The non-empty string value "JavaHome" of `subkeyName` under `parent`, as stored.
bool readRuntimeHome(HKEY parent, const wchar_t* subkeyName, RegistryView view, std::wstring& javaHome);

// The registry keys under which Java installers describe their runtimes,
// and which of them a search with given preferences visits.
#pragma once

#include <array>
#include <string>

#include "discovery/RuntimePreferences.h"

enum class RuntimeKind { Jdk, Jre };
enum class RuntimeProvider { Sun, JRockit, Ibm };

struct RuntimeKey {
    const wchar_t* path;  // under HKEY_LOCAL_MACHINE
    RuntimeKind kind;
    RuntimeProvider provider;
};

// In the order they are searched.
const std::array<RuntimeKey, 5>& runtimeKeys();

bool shouldVisit(const RuntimeKey& key, const SourceFlags& source, const ProviderFlags& provider);
bool isPreferredKey(const RuntimeKey& key, const SourceFlags& source, const ProviderFlags& provider);

// Runtimes of the JavaSoft JRE key are probed client first even in FavorServer mode.
JvmTypeMode probeModeFor(const RuntimeKey& key, JvmTypeMode mode);

// The folder a "JavaHome" value stands for: a JDK contributes its private jre\ folder.
std::wstring runtimeHomeFromJavaHome(const std::wstring& javaHome, RuntimeKind kind);

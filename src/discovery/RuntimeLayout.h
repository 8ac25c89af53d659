// Where a Java runtime home keeps its JVM library and what marks a folder
// as a runtime home.
#pragma once

#include <vector>

#include "discovery/RuntimePreferences.h"

struct JvmLibraryLocation {
    const wchar_t* subPath;  // relative to the runtime home
    bool isServer;
};

// The locations to try, in order; the first that exists wins.
std::vector<JvmLibraryLocation> jvmLibraryProbeOrder(JvmTypeMode mode);

// A folder holding this file (relative to it) is a runtime home.
constexpr const wchar_t* kRuntimeMarker = L"bin\\java.dll";
// The runtime folders an application may ship beside its executable, in the
// order they are looked for: its own, and the one the JDK's packaging tool lays out.
constexpr const wchar_t* kBundledRuntimeFolders[] = {L"jre\\", L"runtime\\"};

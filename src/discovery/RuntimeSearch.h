// Finding the JVM library: a configured folder, a runtime beside the
// executable, or the runtimes registered by Java installers.
#pragma once

#include <string>

#include "discovery/RuntimePreferences.h"

struct LauncherSettings;

enum class RegistryView { Native32, Wide64 };

struct JvmLibrary {
    std::wstring path;  // empty when none was found
    bool isServer = false;
};

// `home` ends in a backslash; a relative home is taken against the working folder.
JvmLibrary findJvmLibrary(const std::wstring& home, JvmTypeMode mode);

// The runtime home within `folder` (which ends in a backslash): the folder
// itself when it holds bin\java.dll, else its jre\ subfolder when that does;
// empty when neither.
std::wstring runtimeHomeIn(const std::wstring& folder);

// False only when the executable's path cannot be obtained (after message
// 202/208); `home` is empty when there is no runtime beside the executable.
bool findLocalRuntime(std::wstring& home);

// One pass over the registered runtimes of one registry view. A Wide64 pass
// finds nothing unless "Pair Product" is set; the caller marks a successful
// Wide64 pass as a paired launch.
bool searchRegistry(const LauncherSettings& settings, RegistryView view, std::wstring& home);

// True when the library is a PE image for a machine other than i386.
bool isForeignMachineLibrary(const std::wstring& libraryPath);

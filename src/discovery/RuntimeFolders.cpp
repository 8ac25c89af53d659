#include <windows.h>

#include "core/win/FileSystem.h"
#include "discovery/RuntimeLayout.h"
#include "discovery/RuntimeSearch.h"

JvmLibrary findJvmLibrary(const std::wstring& home, JvmTypeMode mode) {
    for (const JvmLibraryLocation& location : jvmLibraryProbeOrder(mode)) {
        std::wstring path = home + location.subPath;
        if (fileExists(path)) return {std::move(path), location.isServer};
    }
    return {};
}

std::wstring runtimeHomeIn(const std::wstring& folder) {
    if (fileExists(folder + kRuntimeMarker)) return folder;
    const std::wstring bundled = folder + kBundledRuntimeFolder;
    if (fileExists(bundled + kRuntimeMarker)) return bundled;
    return {};
}

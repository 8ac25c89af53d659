#include <windows.h>

#include "core/win/Scoped.h"
#include "discovery/RuntimeLayout.h"
#include "discovery/RuntimeSearch.h"

namespace {

// Asks the file system for the exact name; nothing is opened or loaded.
bool exists(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    ScopedFind find(FindFirstFileW(path.c_str(), &data));
    return static_cast<bool>(find);
}

}  // namespace

JvmLibrary findJvmLibrary(const std::wstring& home, JvmTypeMode mode) {
    for (const JvmLibraryLocation& location : jvmLibraryProbeOrder(mode)) {
        std::wstring path = home + location.subPath;
        if (exists(path)) return {std::move(path), location.isServer};
    }
    return {};
}

std::wstring runtimeHomeIn(const std::wstring& folder) {
    if (exists(folder + kRuntimeMarker)) return folder;
    const std::wstring bundled = folder + kBundledRuntimeFolder;
    if (exists(bundled + kRuntimeMarker)) return bundled;
    return {};
}

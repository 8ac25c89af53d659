#include <windows.h>

#include "core/win/FileSystem.h"
#include "core/win/Scoped.h"
#include "discovery/ReleaseFile.h"
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
    for (const wchar_t* subfolder : kBundledRuntimeFolders) {
        std::wstring bundled = folder + subfolder;
        if (fileExists(bundled + kRuntimeMarker)) return bundled;
    }
    return {};
}

bool readReleaseVersion(const std::wstring& home, JavaVersion& version) {
    version = JavaVersion{};
    ScopedFile file(CreateFileW((home + kReleaseFileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    // The version line comes early; a file larger than this is not a release file.
    uint8_t data[16 * 1024];
    DWORD size = 0;
    if (!ReadFile(file.get(), data, sizeof data, &size, nullptr)) return false;
    return parseReleaseVersion(data, size, version);
}

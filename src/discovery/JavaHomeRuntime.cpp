#include <windows.h>

#include <vector>

#include "core/SettingsRules.h"
#include "discovery/RuntimeRanking.h"
#include "discovery/RuntimeSearch.h"

namespace {

std::wstring environmentValue(const wchar_t* name) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length);
    }
}

}  // namespace

std::wstring findJavaHomeLibrary(const JavaVersion& versionMin, const JavaVersion& versionMax, JvmTypeMode mode,
                                 bool canHandOver, bool& handOver) {
    handOver = false;
    const std::wstring javaHome = environmentValue(L"JAVA_HOME");
    if (javaHome.empty()) return {};
    const std::wstring home = withFolderBackslash(javaHome);

    JavaVersion version;
    readReleaseVersion(home, version);
    if (!isWithinLimits(withClassicNumbering(version), versionMin, versionMax)) return {};

    JvmLibrary library = findJvmLibrary(home, mode);
    if (library.path.empty()) library = findJvmLibrary(home + L"jre\\", mode);
    if (library.path.empty()) return {};
    // A runtime no process here can host is passed over, so the registry still gets its turn.
    if (isForeignMachineLibrary(library.path)) {
        if (!canHandOver) return {};
        handOver = true;
    }
    return library.path;
}

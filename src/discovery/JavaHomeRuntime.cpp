#include <windows.h>

#include "core/SettingsRules.h"
#include "core/win/Text.h"
#include "discovery/RuntimeRanking.h"
#include "discovery/RuntimeSearch.h"

std::wstring findJavaHomeLibrary(const JavaVersion& versionMin, const JavaVersion& versionMax, JvmTypeMode mode,
                                 bool canHandOver, bool& handOver) {
    handOver = false;
    const std::wstring javaHome = environmentVariable(L"JAVA_HOME");
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

#include <windows.h>

#include "core/SettingsRules.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/Text.h"
#include "discovery/RuntimeRanking.h"
#include "discovery/RuntimeSearch.h"

std::wstring findJavaHomeLibrary(const JavaVersion& versionMin, const JavaVersion& versionMax, JvmTypeMode mode,
                                 bool canHandOver, bool& handOver) {
    handOver = false;
    const std::wstring javaHome = environmentVariable(L"JAVA_HOME");
    if (javaHome.empty()) {
        logLine("candidate JAVA_HOME: not set");
        return {};
    }
    const std::wstring home = withFolderBackslash(javaHome);

    JavaVersion version;
    readReleaseVersion(home, version);
    const std::wstring versionText = logIsOn() ? formatVersion(version) : std::wstring();
    if (!isWithinLimits(withClassicNumbering(version), versionMin, versionMax)) {
        logLine("candidate JAVA_HOME %s, version %s: refused, version limit", home.c_str(), versionText.c_str());
        return {};
    }

    JvmLibrary library = findJvmLibrary(home, mode);
    if (library.path.empty()) library = findJvmLibrary(home + L"jre\\", mode);
    if (library.path.empty()) {
        logLine("candidate JAVA_HOME %s, version %s: refused, no JVM library", home.c_str(), versionText.c_str());
        return {};
    }
    // A runtime no process here can host is passed over, so the registry still gets its turn.
    if (isForeignMachineLibrary(library.path)) {
        logLine("candidate JAVA_HOME %s, version %s: foreign machine, %a", home.c_str(), versionText.c_str(),
                canHandOver ? "handed to the pair" : "refused");
        if (!canHandOver) return {};
        handOver = true;
        return library.path;
    }
    logLine("candidate JAVA_HOME %s, version %s, %a: accepted", home.c_str(), versionText.c_str(),
            library.isServer ? "server" : "client");
    return library.path;
}

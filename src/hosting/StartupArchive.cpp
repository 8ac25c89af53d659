#include "hosting/StartupArchive.h"

#include <windows.h>

#include "core/SettingsRules.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/Text.h"
#include "hosting/StartupArchiveRules.h"

void addStartupArchiveOptions(const std::wstring& folder, const std::wstring& jvmLibraryPath,
                              const std::wstring& version, const std::wstring& classPath,
                              std::vector<std::string>& options) {
    CreateDirectoryW(withoutLastComponents(folder, 1).c_str(), nullptr);
    const bool made = CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    std::wstring option = L"-XX:SharedArchiveFile=";
    option += folder;
    option += L'\\';
    option += startupArchiveName(jvmLibraryPath, version, classPath);
    options.push_back(toThreadAnsi(option));
    if (!made || fromThreadAnsi(options.back()) != option) {
        logLine("startup cache: none, %s cannot be made or has no ANSI form", folder.c_str());
        options.pop_back();
        return;
    }
    logLine("startup cache: %s", option.c_str());
    options.push_back("-XX:+AutoCreateSharedArchive");
}

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
    const std::wstring option =
        L"-XX:SharedArchiveFile=" + folder + L"\\" + startupArchiveName(jvmLibraryPath, version, classPath);
    std::string narrow = toThreadAnsi(option);
    if (!made || fromThreadAnsi(narrow) != option) {
        logLine("startup cache: none, %s cannot be made or has no ANSI form", folder.c_str());
        return;
    }
    logLine("startup cache: %s", option.c_str());
    options.push_back(std::move(narrow));
    options.push_back("-XX:+AutoCreateSharedArchive");
}

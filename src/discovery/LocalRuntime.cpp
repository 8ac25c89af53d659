#include "core/Settings.h"
#include "core/SettingsRules.h"
#include "discovery/RuntimeSearch.h"

bool findLocalRuntime(std::wstring& home) {
    home.clear();
    std::wstring executable;
    if (!modulePath(executable)) return false;
    const std::wstring folder = folderOf(executable);
    if (!folder.empty()) home = runtimeHomeIn(folder);
    return true;
}

#include <windows.h>

#include "app/AppSettings.h"
#include "app/Application.h"
#include "app/ServiceHost.h"
#include "core/Settings.h"
#include "core/win/DllSearch.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    leaveWorkingFolderOutOfDllSearch();
    int exitCode = -1;
    const SettingsLookup settingsFile = readOwnSettingsFile();
    if (ServiceHost::run(settingsFile, exitCode)) return exitCode;
    {
        SetThreadLocale(GetSystemDefaultLCID());
        Application application(settingsFile);
        exitCode = application.run();
    }
    return exitCode;
}

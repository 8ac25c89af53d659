#include <windows.h>

#include "app/Application.h"
#include "app/ServiceHost.h"
#include "core/win/DllSearch.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    leaveWorkingFolderOutOfDllSearch();
    int exitCode = -1;
    if (ServiceHost::run(exitCode)) return exitCode;
    {
        SetThreadLocale(GetSystemDefaultLCID());
        Application application;
        exitCode = application.run();
    }
    return exitCode;
}

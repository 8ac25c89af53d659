#include <windows.h>

#include "app/Application.h"
#include "core/win/DllSearch.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    leaveWorkingFolderOutOfDllSearch();
    int exitCode = -1;
    {
        SetThreadLocale(GetSystemDefaultLCID());
        Application application;
        exitCode = application.run();
    }
    return exitCode;
}

#include <windows.h>

#include "core/Launcher.h"
#include "core/win/DllSearch.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    leaveWorkingFolderOutOfDllSearch();
    int exitCode = -1;
    {
        Launcher launcher;
        SetThreadLocale(GetSystemDefaultLCID());
        // Gives the main thread its message queue before any request can be posted to it.
        DefWindowProcW(nullptr, 0, 0, 0);
        if (launcher.init()) exitCode = launcher.run();
    }
    return exitCode;
}

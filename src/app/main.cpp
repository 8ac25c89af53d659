#include <windows.h>

#include "app/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int exitCode = -1;
    {
        SetThreadLocale(GetSystemDefaultLCID());
        // Gives the main thread its message queue before any request can be posted to it.
        DefWindowProcW(nullptr, 0, 0, 0);
        Application application;
        exitCode = application.run();
    }
    return exitCode;
}

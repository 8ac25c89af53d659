#include "app/LauncherProcess.h"

ScopedHandle startLauncherProcess(const std::wstring& executable, DWORD& processId) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = GetCommandLineW();
    BOOL inheritHandles = FALSE;
#ifdef LAUNCHER_CONSOLE
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    inheritHandles = TRUE;
#endif
    if (!CreateProcessW(executable.c_str(), &commandLine[0], nullptr, nullptr, inheritHandles, 0, nullptr, nullptr,
                        &startup, &process)) {
        return ScopedHandle();
    }
    ScopedHandle thread(process.hThread);
    processId = process.dwProcessId;
    // The user started this process, so the window of the one it starts may come to the front.
    AllowSetForegroundWindow(processId);
    return ScopedHandle(process.hProcess);
}

#include "app/RestartSupervisor.h"

#include <windows.h>

#include "core/win/DiagnosticLog.h"
#include "core/win/Scoped.h"
#include "instance/InstanceHold.h"

namespace {

constexpr wchar_t kRunMarkVariable[] = L"QZ_RESTART_RUN";
constexpr wchar_t kHeldBlockMark[] = L"held";
// Runs that end this quickly, again and again, are a fault rather than updates.
constexpr DWORD kQuickRunMs = 5000;
constexpr unsigned kQuickRestartsAllowed = 10;

#ifdef LAUNCHER_CONSOLE
// Ctrl+C reaches the run on the same console, which decides how it ends;
// the supervisor stays to pass that outcome on.
BOOL WINAPI outlastInterrupt(DWORD event) { return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT; }
#endif

bool startRun(const std::wstring& executablePath, bool heldBlock, PROCESS_INFORMATION& process) {
    SetEnvironmentVariableW(kRunMarkVariable, heldBlock ? kHeldBlockMark : L"1");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring commandLine = GetCommandLineW();
    BOOL inheritHandles = FALSE;
#ifdef LAUNCHER_CONSOLE
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    inheritHandles = TRUE;
#endif
    if (!CreateProcessW(executablePath.c_str(), &commandLine[0], nullptr, nullptr, inheritHandles, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    // The user started this process, so its window may come to the front.
    AllowSetForegroundWindow(process.dwProcessId);
    return true;
}

}  // namespace

RunMark takeRunMark() {
    wchar_t mark[8] = {};
    if (GetEnvironmentVariableW(kRunMarkVariable, mark, 8) == 0) return RunMark::none;
    SetEnvironmentVariableW(kRunMarkVariable, nullptr);
    return lstrcmpW(mark, kHeldBlockMark) == 0 ? RunMark::heldBlock : RunMark::run;
}

int superviseRuns(const std::wstring& executablePath, const RestartSettings& settings) {
#ifdef LAUNCHER_CONSOLE
    SetConsoleCtrlHandler(outlastInterrupt, TRUE);
#endif
    logLine("restart code %d: this process runs the application in child processes", settings.restartCode);
    InstanceHold hold;
    // The ended run's process stays open until the next run's hold is in
    // place: meanwhile its id names no other process.
    ScopedHandle lastRun;
    DWORD lastRunId = 0;
    unsigned quickRestarts = 0;
    for (unsigned run = 1;; ++run) {
        const bool firstInstance = settings.singleInstance && hold.holdFor(executablePath, lastRunId);
        const DWORD startedAt = GetTickCount();
        PROCESS_INFORMATION started = {};
        if (!startRun(executablePath, firstInstance, started)) {
            logLine("run %u could not be started, system error %u", run, static_cast<unsigned>(GetLastError()));
            return -1;
        }
        lastRun.reset(started.hProcess);
        ScopedHandle thread(started.hThread);
        lastRunId = started.dwProcessId;
        logLine("run %u: process %u%a", run, static_cast<unsigned>(lastRunId),
                firstInstance ? ", the single-instance block held for it" : "");
        if (firstInstance) hold.releaseOnceTaken(lastRun.get(), lastRunId);
        WaitForSingleObject(lastRun.get(), INFINITE);
        DWORD exitCode = 0;
        GetExitCodeProcess(lastRun.get(), &exitCode);
        const int code = static_cast<int>(exitCode);
        const unsigned ranMs = GetTickCount() - startedAt;
        if (code != settings.restartCode) return code;

        quickRestarts = ranMs < kQuickRunMs ? quickRestarts + 1 : 0;
        if (quickRestarts > kQuickRestartsAllowed) {
            logLine("run %u ended with the restart code after %u ms, the eleventh quick run in a row: no restart",
                    run, ranMs);
            return code;
        }
        logLine("restart %u: run %u ended with the restart code after %u ms", run, run, ranMs);
    }
}

#include "app/RestartSupervisor.h"

#include <windows.h>

#include "app/LauncherProcess.h"
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
        SetEnvironmentVariableW(kRunMarkVariable, firstInstance ? kHeldBlockMark : L"1");
        lastRun = startLauncherProcess(executablePath, lastRunId);
        if (!lastRun) {
            logLine("run %u could not be started, system error %u", run, static_cast<unsigned>(GetLastError()));
            return -1;
        }
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

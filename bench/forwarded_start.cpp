// Prints the median of 21 forwarded starts (a later start of a running
// single-instance application, from its creation to its exit with the
// reply of secondaryMain) next to the median of 21 starts of a program that
// exits at once. Not a test: it asserts nothing.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "support/LauncherProcess.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

constexpr int kRuns = 21;
// Wine signals a process's end before its Unix process has torn down; a
// start made at once shares the cores with that and comes out 30 to 60 ms
// slower in about half the runs.
constexpr DWORD kSettleMilliseconds = 100;

double medianMs(const std::wstring& exe, const LaunchOptions& options, DWORD expectedExit) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        Sleep(kSettleMilliseconds);
        auto start = std::chrono::steady_clock::now();
        DWORD exitCode = runToExit(exe, options, 30000);
        auto end = std::chrono::steady_clock::now();
        if (exitCode != expectedExit) {
            std::printf("unexpected exit code %lu\n", exitCode);
            return -1;
        }
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

bool waitForMain(const std::wstring& log) {
    for (int i = 0; i < 1000; ++i) {
        for (const std::string& line : readLines(log)) {
            if (line.find("app/Main.main(") != std::string::npos) return true;
        }
        Sleep(20);
    }
    return false;
}

}  // namespace

int main() {
    Sandbox sandbox;
    sandbox.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(runtimeFixture(L"full")) +
                     "\nMain Class=app.Main\n[Class Path]\nClass Path=\\app.txt\n[Application]\nSingle Instance=yes\n");
    sandbox.writeFile(L"app.txt", "class app.Main\nmain wait-file release.txt\nsecondaryMain int 7\n");
    LaunchOptions options;
    options.environment[L"JVMDOUBLE_LOG"] = sandbox.path(L"calls.log");

    LauncherProcess first(sandbox.exePath(), options);
    if (!first.started() || !waitForMain(sandbox.path(L"calls.log"))) {
        std::printf("the first instance did not reach main\n");
        return 1;
    }
    options.arguments = L"document.txt --flag";
    const double forwarded = medianMs(sandbox.exePath(), options, 7);
    sandbox.writeFile(L"release.txt", "");
    first.wait(20000);

    const double bare = medianMs(buildPath(L"instance_bare_exit.exe"), LaunchOptions{}, 0);
    std::printf("forwarded start, median of %d: %.1f ms\n", kRuns, forwarded);
    std::printf("bare program start, median of %d: %.1f ms\n", kRuns, bare);
    std::printf("difference: %.1f ms\n", forwarded - bare);
    return 0;
}

// Prints, as the median of 21 starts of launcher.exe with the JVM double, how
// long after process creation the splash window is visible and main runs, and
// how long main takes to run without a splash. Not a test: it asserts nothing.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "support/LauncherProcess.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 21;
// Wine signals a process's end before its Unix process has torn down; a
// start made at once shares the cores with that.
constexpr DWORD kSettleMilliseconds = 100;

bool mainCalled(const std::wstring& log) {
    return readFileBytes(log).find("app/Main.main(") != std::string::npos;
}

bool splashVisible(DWORD processId) {
    for (HWND window : findWindows(processId, L"SplashScreenWindow")) {
        if (IsWindowVisible(window)) return true;
    }
    return false;
}

struct Start {
    double splashMs = -1;
    double mainMs = -1;
};

Start measure(const Sandbox& sandbox, const std::wstring& arguments, bool expectSplash) {
    const std::wstring log = sandbox.path(L"calls.log");
    const std::wstring go = sandbox.path(L"go.txt");
    DeleteFileW(log.c_str());
    DeleteFileW(go.c_str());
    LaunchOptions options;
    options.arguments = arguments;
    options.environment[L"JVMDOUBLE_LOG"] = log;

    Start start;
    Sleep(kSettleMilliseconds);
    const Clock::time_point begin = Clock::now();
    LauncherProcess process(sandbox.exePath(), options);
    const auto elapsed = [&] { return std::chrono::duration<double, std::milli>(Clock::now() - begin).count(); };
    while (elapsed() < 20000 && (start.mainMs < 0 || (expectSplash && start.splashMs < 0))) {
        if (start.splashMs < 0 && expectSplash && splashVisible(process.processId())) start.splashMs = elapsed();
        if (start.mainMs < 0 && mainCalled(log)) start.mainMs = elapsed();
        Sleep(1);
    }
    sandbox.writeFile(L"go.txt", "go");
    process.wait(20000);
    return start;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int main() {
    Sandbox sandbox;
    sandbox.copyFile(fromUtf8(SOURCE_DIR) + L"\\tests\\splash\\data\\quadrants-400x300.png", L"splash.png");
    sandbox.writeFile(L"app.classes", "class app.Main\nmain wait-file go.txt\nmain return\n");
    sandbox.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(runtimeFixture(L"full")) +
                     "\nMain Class=app.Main\n[Class Path]\nClass Path=" + ansi(sandbox.path(L"app.classes")) +
                     "\n[Display]\nSplash Screen=splash.png\n");

    std::vector<double> splash, mainWithSplash, mainWithout;
    for (int run = 0; run < kRuns; ++run) {
        const Start shown = measure(sandbox, L"", true);
        if (shown.splashMs >= 0) splash.push_back(shown.splashMs);
        if (shown.mainMs >= 0) mainWithSplash.push_back(shown.mainMs);
        const Start plain = measure(sandbox, L"-nosplash", false);
        if (plain.mainMs >= 0) mainWithout.push_back(plain.mainMs);
    }
    std::printf("splash start-up, median of %d runs (ms from process creation)\n", kRuns);
    std::printf("  splash window visible   %8.1f  (%zu runs)\n", median(splash), splash.size());
    std::printf("  main called             %8.1f  (%zu runs)\n", median(mainWithSplash), mainWithSplash.size());
    std::printf("  main called, -nosplash  %8.1f  (%zu runs)\n", median(mainWithout), mainWithout.size());
    return 0;
}

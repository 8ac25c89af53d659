// Start-up cost of the launcher against a bare host of the same jvm.dll:
// wall time from process creation to the end of a main that exits at once.
// bench/hosting/run.sh reads the lines it prints; keep their form.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "StartTiming.h"

namespace {

// Odd, so the median is one run. The first runs fill Wine's and the file
// cache and are dropped.
const int kRuns = 101;
const int kWarmUpRuns = 5;

void printTimes(const char* name, const std::vector<double>& times) {
    std::printf("%s ms: %.1f median, %.1f to %.1f quartiles\n", name, quantile(times, 0.5), quantile(times, 0.25),
                quantile(times, 0.75));
}

}  // namespace

// startup_bench <launcher exe> <runtime folder ending in "\">
int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring benchFolder = folderOf(self);
    std::wstring runtime = argv[2];
    std::wstring jvm = runtime + L"bin\\client\\jvm.dll";

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"startup-bench\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring exe = folder + L"bench.exe";
    CopyFileW(argv[1], exe.c_str(), FALSE);
    writeFile(folder + L"app.classes", "class bench.Main\nmain exit 0\n");
    writeFile(folder + L"bench.ini", "[Java Runtime Environment]\nJRE Path=" + ansi(runtime) +
                                         "\nMain Class=bench.Main\n[Class Path]\nClass Path=\\app.classes\n");

    std::wstring launcherCommand = L"\"" + exe + L"\" -nosplash";
    std::wstring bareCommand = L"\"" + benchFolder + L"hosting_bare_host.exe\" \"" + jvm + L"\" \"-Djava.class.path=" +
                               folder + L"app.classes;\" bench/Main";
    std::vector<double> launcher, bare, ratios;
    for (int i = -kWarmUpRuns; i < kRuns; ++i) {
        // Each goes first in every other pair, so neither always runs in
        // the other's wake.
        bool launcherFirst = i % 2 == 0;
        double first = runMilliseconds(launcherFirst ? launcherCommand : bareCommand);
        double second = runMilliseconds(launcherFirst ? bareCommand : launcherCommand);
        if (first < 0 || second < 0) {
            std::printf("run %d failed\n", i);
            return 1;
        }
        if (i < 0) continue;
        launcher.push_back(launcherFirst ? first : second);
        bare.push_back(launcherFirst ? second : first);
        ratios.push_back(launcher.back() / bare.back());
    }
    std::printf("runs: %d of each, alternating, after %d warm-up runs of each\n", kRuns, kWarmUpRuns);
    printTimes("bare host", bare);
    printTimes("launcher", launcher);
    std::printf("ratio: %.3f of medians, %.3f median of per-pair ratios\n",
                quantile(launcher, 0.5) / quantile(bare, 0.5), quantile(ratios, 0.5));
    return 0;
}

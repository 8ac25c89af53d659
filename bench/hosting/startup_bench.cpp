// Start-up cost of the launcher against two bare hosts of the same jvm.dll,
// a console one and one that also starts a GUI: wall time from process
// creation to the end of a main that exits at once. A second copy of the
// launcher writes the diagnostics log, to show what logging costs. Then one
// start of each, with the double's call log on, for the count of Java code
// it had the VM run before main: without arguments and with several.
// bench/hosting/run.sh reads the lines it prints; keep their form.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "StartTiming.h"

namespace {

// Odd, so the median is one run. The first runs fill Wine's and the file
// cache and are dropped.
const int kRuns = 41;
const int kWarmUpRuns = 5;

void printTimes(const char* name, const std::vector<double>& times) {
    std::printf("%s ms: %.1f median, %.1f to %.1f quartiles\n", name, quantile(times, 0.5), quantile(times, 0.25),
                quantile(times, 0.75));
}

const int kCountedArguments = 8;

// From the double's log of one start; -1 when the start failed or main was not reached.
long javaCallsBeforeMain(const std::wstring& commandLine, const std::wstring& logPath) {
    DeleteFileW(logPath.c_str());
    SetEnvironmentVariableW(L"JVMDOUBLE_LOG", logPath.c_str());
    const bool ran = runMilliseconds(commandLine) >= 0;
    SetEnvironmentVariableW(L"JVMDOUBLE_LOG", nullptr);
    ScopedFile file(CreateFileW(logPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string log;
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read) log.append(buffer, read);
    const std::string key = "event main entered after ";
    const size_t at = log.find(key);
    return ran && at != std::string::npos ? std::atol(log.c_str() + at + key.size()) : -1;
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
    const std::string settings = "[Java Runtime Environment]\nJRE Path=" + ansi(runtime) +
                                 "\nMain Class=bench.Main\n[Class Path]\nClass Path=\\app.classes\n";
    writeFile(folder + L"bench.ini", settings);
    std::wstring loggedExe = folder + L"logged.exe";
    CopyFileW(argv[1], loggedExe.c_str(), FALSE);
    writeFile(folder + L"logged.ini", settings + "[Application]\nLog File=logged.log\n");

    std::wstring launcherCommand = L"\"" + exe + L"\" -nosplash";
    std::wstring hostArguments = L"\" \"" + jvm + L"\" \"-Djava.class.path=" + folder + L"app.classes;\" bench/Main";
    std::wstring bareCommand = L"\"" + benchFolder + L"hosting_bare_host.exe" + hostArguments;
    std::wstring guiCommand = L"\"" + benchFolder + L"hosting_bare_gui_host.exe" + hostArguments;
    std::wstring loggedCommand = L"\"" + loggedExe + L"\" -nosplash";
    const std::wstring* commands[] = {&launcherCommand, &bareCommand, &guiCommand, &loggedCommand};
    const int kPrograms = 4;
    std::vector<double> times[kPrograms];
    std::vector<double> ratios[kPrograms];
    for (int i = -kWarmUpRuns; i < kRuns; ++i) {
        // Each program leads in turn, so none always runs in another's wake.
        double round[kPrograms];
        for (int k = 0; k < kPrograms; ++k) {
            int program = (i + kWarmUpRuns + k) % kPrograms;
            round[program] = runMilliseconds(*commands[program]);
            if (round[program] < 0) {
                std::printf("run %d failed\n", i);
                return 1;
            }
        }
        if (i < 0) continue;
        for (int k = 0; k < kPrograms; ++k) {
            times[k].push_back(round[k]);
            ratios[k].push_back(round[0] / round[k]);
        }
    }
    std::printf("runs: %d of each, alternating, after %d warm-up runs of each\n", kRuns, kWarmUpRuns);
    printTimes("bare host", times[1]);
    printTimes("bare gui host", times[2]);
    printTimes("launcher", times[0]);
    printTimes("launcher logging", times[3]);
    std::printf("ratio: %.3f of medians, %.3f median of per-round ratios\n",
                quantile(times[0], 0.5) / quantile(times[1], 0.5), quantile(ratios[1], 0.5));
    std::printf("gui ratio: %.3f of medians, %.3f median of per-round ratios\n",
                quantile(times[0], 0.5) / quantile(times[2], 0.5), quantile(ratios[2], 0.5));

    std::wstring arguments;
    for (int i = 0; i < kCountedArguments; ++i) arguments += L" argument-" + std::to_wstring(i);
    const std::wstring log = folder + L"calls.log";
    for (const std::wstring& given : {std::wstring(), arguments}) {
        const long counts[] = {javaCallsBeforeMain(L"\"" + exe + L"\"" + given, log),
                               javaCallsBeforeMain(bareCommand + given, log),
                               javaCallsBeforeMain(guiCommand + given, log)};
        for (long count : counts) {
            if (count < 0) {
                std::printf("a counted run failed\n");
                return 1;
            }
        }
        std::printf("java calls before main, %d arguments: launcher %ld, bare host %ld, bare gui host %ld\n",
                    given.empty() ? 0 : kCountedArguments, counts[0], counts[1], counts[2]);
    }
    return 0;
}

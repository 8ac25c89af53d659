// Start-up cost of launcher.exe against a bare host of the same jvm.dll:
// wall time from process creation to the end of a main that exits at once.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kRuns = 21;

std::wstring folderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

void writeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ansi(const std::wstring& text) {
    char buffer[MAX_PATH * 4] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

double runMilliseconds(std::wstring commandLine) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (code != 0) return -1;
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

// startup_bench <launcher.exe> <runtime folder ending in "\">
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
    std::vector<double> launcher, bare;
    for (int i = 0; i < kRuns; ++i) {
        launcher.push_back(runMilliseconds(launcherCommand));
        bare.push_back(runMilliseconds(bareCommand));
        if (launcher.back() < 0 || bare.back() < 0) {
            std::printf("run %d failed\n", i);
            return 1;
        }
    }
    double launcherMedian = median(launcher);
    double bareMedian = median(bare);
    std::printf("start to main and exit, median of %d runs: launcher.exe %.1f ms, bare host %.1f ms, ratio %.3f\n",
                kRuns, launcherMedian, bareMedian, launcherMedian / bareMedian);
    return 0;
}

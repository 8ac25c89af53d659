// Timing whole process starts for the benchmarks: wall time from process
// creation to its end, and the helpers to lay out what it starts.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/win/Scoped.h"

// Wine signals a process's end before its Unix process has torn down; a run
// started at once shares the two cores with that and came out 30 to 60 ms
// slower in about half the runs.
inline const DWORD kSettleMilliseconds = 100;

inline std::wstring folderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

inline void writeFile(const std::wstring& path, const std::string& bytes) {
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

inline std::string ansi(const std::wstring& text) {
    char buffer[MAX_PATH * 4] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

// -1 when the program cannot start or ends with another code than 0.
inline double runMilliseconds(std::wstring commandLine) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    Sleep(kSettleMilliseconds);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created)) {
        return -1;
    }
    ScopedHandle process(created.hProcess);
    ScopedHandle thread(created.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    QueryPerformanceCounter(&end);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    if (code != 0) return -1;
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The value at the given fraction of the sorted runs: 0.5 is the median.
inline double quantile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5)];
}


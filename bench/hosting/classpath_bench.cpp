// Class path building over one folder of many jars: time per size and how
// it grows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "hosting/ClassPath.h"

namespace {

template <typename Work>
double medianMilliseconds(Work work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        runs.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

// The file system's own share: the same search with nothing built.
void enumerateOnly(const std::wstring& pattern) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    while (FindNextFileW(search, &found)) {
    }
    FindClose(search);
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"classpath-bench";
    std::wstring jars = folder + L"\\jars\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(jars.c_str(), nullptr);

    int made = 0;
    double previousPerJar = 0;
    for (int count : {1000, 10000, 20000}) {
        for (; made < count; ++made) {
            std::wstring name = jars + L"library-" + std::to_wstring(made) + L".jar";
            CloseHandle(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
        double ms = medianMilliseconds([&] { buildClassPath(L"\\jars\\*.jar", folder); });
        double searchMs = medianMilliseconds([&] { enumerateOnly(jars + L"*.jar"); });
        double perJar = ms * 1000.0 / count;
        std::printf("%6d jars: %8.1f ms (file search alone %8.1f ms), %.2f us per jar", count, ms, searchMs, perJar);
        if (previousPerJar > 0) std::printf(", per-jar growth %.2f", perJar / previousPerJar);
        std::printf("\n");
        previousPerJar = perJar;
    }
    for (int i = 0; i < made; ++i) DeleteFileW((jars + L"library-" + std::to_wstring(i) + L".jar").c_str());
    RemoveDirectoryW(jars.c_str());
    RemoveDirectoryW(folder.c_str());
    return 0;
}

// Prints how long one registry pass takes with 10, 100 and 1,000 version
// subkeys under the JavaSoft runtime key in the build's own registry view,
// all pointing at one runtime folder with a client VM. Not a test: it
// asserts nothing.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/win/Scoped.h"
#include "discovery/RegistryRuntimes.h"
#include "discovery/RuntimeSearch.h"

namespace {

const wchar_t kRuntimeKey[] = L"Software\\JavaSoft\\Java Runtime Environment";
// Where the launcher's first pass looks.
const REGSAM kView = registryViewFlag(kOwnRegistryView);

void clearRuntimeKey() {
    ScopedRegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRuntimeKey, 0, KEY_ALL_ACCESS | kView, key.receive()) == ERROR_SUCCESS) {
        RegDeleteTreeW(key.get(), nullptr);
    }
}

bool addSubkeys(int count, const std::wstring& javaHome) {
    for (int i = 0; i < count; ++i) {
        const std::wstring path = std::wstring(kRuntimeKey) + L"\\1." + std::to_wstring(i / 100) + L".0_" +
                                  std::to_wstring(i % 100);
        ScopedRegistryKey key;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr,
                            key.receive(), nullptr) != ERROR_SUCCESS) {
            return false;
        }
        RegSetValueExW(key.get(), L"JavaHome", 0, REG_SZ, reinterpret_cast<const BYTE*>(javaHome.c_str()),
                       DWORD((javaHome.size() + 1) * sizeof(wchar_t)));
    }
    return true;
}

std::wstring makeRuntimeFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring home = std::wstring(temp) + L"registry-pass-bench";
    for (const wchar_t* part : {L"", L"\\bin", L"\\bin\\client"}) CreateDirectoryW((home + part).c_str(), nullptr);
    ScopedFile library(CreateFileW((home + L"\\bin\\client\\jvm.dll").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return home;
}

void removeRuntimeFolder(const std::wstring& home) {
    DeleteFileW((home + L"\\bin\\client\\jvm.dll").c_str());
    for (const wchar_t* part : {L"\\bin\\client", L"\\bin", L""}) RemoveDirectoryW((home + part).c_str());
}

}  // namespace

int main() {
    const std::wstring home = makeRuntimeFolder();
    RuntimeRequirements settings;
    std::printf("registry pass (%s view, one JavaSoft JRE key), median of 9 runs\n",
                kOwnRegistryView == RegistryView::Wide64 ? "64-bit" : "32-bit");
    for (int count : {10, 100, 1000}) {
        clearRuntimeKey();
        if (!addSubkeys(count, home)) {
            std::printf("%5d subkeys: cannot create registry keys\n", count);
            continue;
        }
        std::vector<double> milliseconds;
        std::wstring found;
        for (int run = 0; run < 9; ++run) {
            const auto start = std::chrono::steady_clock::now();
            searchRegistry(settings, kOwnRegistryView, found);
            milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(milliseconds.begin(), milliseconds.end());
        std::printf("%5d subkeys: %8.2f ms (min %.2f, max %.2f)%s\n", count, milliseconds[4], milliseconds.front(),
                    milliseconds.back(), found.empty() ? "  [nothing found!]" : "");
    }
    clearRuntimeKey();
    removeRuntimeFolder(home);
    return 0;
}

// Prints how long one registry pass takes in the build's own registry view:
// with 10, 100 and 1,000 version subkeys under the classic JavaSoft JRE key,
// and with 1,000 subkeys spread over the layouts of current installers, all
// pointing at one runtime folder with a client VM. Then what those 1,000
// subkeys add to a start of this tree's launcher that finds the runtime
// double in the registry and runs its main. Not a test: it asserts nothing.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "StartTiming.h"
#include "core/win/Scoped.h"
#include "discovery/RegistryRuntimes.h"

namespace {

const wchar_t kClassicKey[] = L"Software\\JavaSoft\\Java Runtime Environment\\";
// Where the launcher's first pass looks.
const REGSAM kView = registryViewFlag(kOwnRegistryView);
const int kStartRuns = 41;

void clearKey(const wchar_t* path) {
    ScopedRegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS | kView, key.receive()) == ERROR_SUCCESS) {
        RegDeleteTreeW(key.get(), nullptr);
    }
}

void clearAllKeys() {
    for (const RuntimeKey& key : runtimeKeys()) clearKey(key.path);
    for (const ModernRuntimeKey& key : modernRuntimeKeys()) clearKey(key.key.path);
}

bool setValue(const std::wstring& path, const wchar_t* valueName, const std::wstring& text) {
    ScopedRegistryKey key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr,
                        key.receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExW(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          DWORD((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool addClassicSubkeys(int count, const std::wstring& home) {
    for (int i = 0; i < count; ++i) {
        const std::wstring version = L"1." + std::to_wstring(i / 100) + L".0_" + std::to_wstring(i % 100);
        if (!setValue(kClassicKey + version, L"JavaHome", home)) return false;
    }
    return true;
}

// Round robin over the current layouts, each entry named as its installer names it.
bool addModernSubkeys(int count, const std::wstring& home) {
    const auto& keys = modernRuntimeKeys();
    for (int i = 0; i < count; ++i) {
        const ModernRuntimeKey& key = keys[i % keys.size()];
        const std::wstring number = std::to_wstring(i);
        const std::wstring name = key.versionSource == VersionSource::SubkeyName ? L"17.0." + number + L"+9"
                                                                                  : L"install-" + number;
        if (!setValue(key.key.path + entryPathFor(key, name), key.homeValue, home)) return false;
    }
    return true;
}

// The build tree: the bench, the launcher and the runtime doubles are all there.
std::wstring treeFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return folderOf(path);
}

std::wstring tempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring makeRuntimeFolder() {
    const std::wstring home = tempFolder(L"registry-pass-bench");
    for (const wchar_t* part : {L"bin", L"bin\\client"}) CreateDirectoryW((home + part).c_str(), nullptr);
    writeFile(home + L"bin\\client\\jvm.dll", "");
    writeFile(home + L"release", "JAVA_VERSION=\"17.0.9\"\n");
    return home;
}

void removeRuntimeFolder(const std::wstring& home) {
    DeleteFileW((home + L"bin\\client\\jvm.dll").c_str());
    DeleteFileW((home + L"release").c_str());
    for (const wchar_t* part : {L"bin\\client", L"bin", L""}) RemoveDirectoryW((home + part).c_str());
}

void printPass(const char* label) {
    std::vector<double> milliseconds;
    std::wstring found;
    for (int run = 0; run < 9; ++run) {
        const auto start = std::chrono::steady_clock::now();
        searchRegistry(RuntimeRequirements{}, kOwnRegistryView, found);
        milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%-36s %8.2f ms (min %.2f, max %.2f)%s\n", label, quantile(milliseconds, 0.5),
                quantile(milliseconds, 0), quantile(milliseconds, 1), found.empty() ? "  [nothing found!]" : "");
}

// One application folder per setting of "Runtime Registrations", so runs of
// the two alternate without rewriting anything in between.
std::wstring application(const std::wstring& folder, const wchar_t* name, const std::string& registrations) {
    const std::wstring exe = folder + name + L".exe";
    CopyFileW((treeFolder() + (sizeof(void*) == 8 ? L"launcher64.exe" : L"launcher.exe")).c_str(), exe.c_str(), FALSE);
    writeFile(folder + name + L".ini", "[Java Runtime Environment]\nMain Class=bench.Main\nRuntime Registrations=" +
                                           registrations + "\n[Class Path]\nClass Path=\\app.classes\n");
    return L"\"" + exe + L"\" -nosplash";
}

void printStarts(const std::wstring& runtime) {
    const std::wstring folder = tempFolder(L"registry-start-bench");
    writeFile(folder + L"app.classes", "class bench.Main\nmain exit 0\n");
    const std::wstring classic = application(folder, L"classic", "classic");
    const std::wstring all = application(folder, L"all", "all");
    // The one runtime that can run main, newer than every other subkey.
    setValue(std::wstring(kClassicKey) + L"99", L"JavaHome", runtime);

    std::vector<double> without, with, added;
    for (int i = -3; i < kStartRuns; ++i) {
        const bool allFirst = i % 2 == 0;
        const double first = runMilliseconds(allFirst ? all : classic);
        const double second = runMilliseconds(allFirst ? classic : all);
        if (first < 0 || second < 0) {
            std::printf("start %d failed\n", i);
            return;
        }
        if (i < 0) continue;
        with.push_back(allFirst ? first : second);
        without.push_back(allFirst ? second : first);
        added.push_back(with.back() / without.back() - 1);
    }
    std::printf("start to main, runtime found in the registry, median of %d alternating runs each:\n", kStartRuns);
    std::printf("  current layouts not read (classic):  %8.1f ms\n", quantile(without, 0.5));
    std::printf("  with their 1,000 subkeys (all):      %8.1f ms\n", quantile(with, 0.5));
    std::printf("  added: %+.1f %% of medians, %+.1f %% median of per-pair ratios\n",
                100 * (quantile(with, 0.5) / quantile(without, 0.5) - 1), 100 * quantile(added, 0.5));
}

}  // namespace

int main() {
    const std::wstring home = makeRuntimeFolder();
    std::printf("registry pass (%s view), median of 9 runs\n",
                kOwnRegistryView == RegistryView::Wide64 ? "64-bit" : "32-bit");
    for (int count : {10, 100, 1000}) {
        clearAllKeys();
        if (!addClassicSubkeys(count, home)) {
            std::printf("%5d subkeys: cannot create registry keys\n", count);
            continue;
        }
        printPass((std::to_string(count) + " subkeys, one JavaSoft JRE key:").c_str());
    }
    clearAllKeys();
    if (addModernSubkeys(1000, home)) {
        printPass("1000 subkeys over the current layouts:");
        printStarts(treeFolder() + L"runtimes\\full");
    } else {
        std::printf("1000 subkeys over the current layouts: cannot create registry keys\n");
    }
    clearAllKeys();
    removeRuntimeFolder(home);
    return 0;
}

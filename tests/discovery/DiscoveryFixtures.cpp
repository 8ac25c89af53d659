#include "DiscoveryFixtures.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include "core/win/Scoped.h"
#include "discovery/ModernRuntimeKeys.h"

namespace {

REGSAM flagOf(TestView view) { return view == TestView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

void clearKey(const wchar_t* key, TestView view) {
    ScopedRegistryKey handle;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS | flagOf(view), handle.receive()) == ERROR_SUCCESS) {
        RegDeleteTreeW(handle.get(), nullptr);
    }
}

void createFolders(const std::wstring& file) {
    for (size_t slash = file.find(L'\\', 3); slash != std::wstring::npos; slash = file.find(L'\\', slash + 1)) {
        CreateDirectoryW(file.substr(0, slash).c_str(), nullptr);
    }
}

// Creates HKLM\`path`; a null `valueName` leaves it without a value.
void writeValue(const std::wstring& path, const wchar_t* valueName, DWORD type, const void* data, DWORD size,
                TestView view) {
    ScopedRegistryKey handle;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | flagOf(view), nullptr,
                              handle.receive(), nullptr),
              ERROR_SUCCESS);
    if (valueName != nullptr) {
        ASSERT_EQ(RegSetValueExW(handle.get(), valueName, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
}

}  // namespace

TempFolder::TempFolder() {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"discovery-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    createFolders(path_);
}

TempFolder::~TempFolder() {
    // SHFileOperation wants a double-NUL-terminated list without the trailing backslash.
    std::wstring from = path_.substr(0, path_.size() - 1);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

void TempFolder::writeFile(const std::wstring& relative, const std::string& bytes) const {
    const std::wstring file = path_ + relative;
    createFolders(file);
    ScopedFile handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(handle) << "cannot create test file";
    DWORD written = 0;
    WriteFile(handle.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

std::wstring TempFolder::runtime(const std::wstring& relative, std::initializer_list<const wchar_t*> libraries) const {
    for (const wchar_t* library : libraries) writeFile(relative + library);
    return path_ + relative;
}

RuntimeRegistry::RuntimeRegistry() { clear(); }
RuntimeRegistry::~RuntimeRegistry() { clear(); }

void RuntimeRegistry::clear() {
    for (TestView view : {TestView::Bits32, TestView::Bits64}) {
        for (const RuntimeKey& key : runtimeKeys()) clearKey(key.path, view);
        for (const ModernRuntimeKey& key : modernRuntimeKeys()) clearKey(key.key.path, view);
    }
}

void RuntimeRegistry::addRaw(const wchar_t* key, const std::wstring& version, DWORD type, const void* data,
                             DWORD size, TestView view) const {
    writeValue(std::wstring(key) + version, data != nullptr ? L"JavaHome" : nullptr, type, data, size, view);
}

void RuntimeRegistry::addValue(const std::wstring& path, const wchar_t* valueName, const std::wstring& text,
                               TestView view) const {
    writeValue(path, valueName, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)), view);
}

void RuntimeRegistry::add(const wchar_t* key, const std::wstring& version, const std::wstring& javaHome,
                          TestView view) const {
    addValue(std::wstring(key) + version, L"JavaHome", javaHome, view);
}

std::wstring searched(const RuntimeRequirements& settings, RegistryView view) {
    std::wstring home;
    const bool found = searchRegistry(settings, view, home);
    EXPECT_EQ(found, !home.empty());
    return found ? home : L"(none)";
}

#include "core/Settings.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/ErrorReporting.h"
#include "core/SettingsRules.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/FileSystem.h"
#include "core/win/Scoped.h"
#include "core/win/Text.h"
#include "resources/resource.h"

namespace {

constexpr size_t kLongestPath = 32768;

}  // namespace

MaybeFailure modulePath(std::wstring& path) {
    // A path that fills the buffer may have been cut; the longest Windows
    // path has 32,767 characters and its terminator.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const auto size = static_cast<DWORD>(buffer.size());
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0 || (length == size && size >= kLongestPath)) {
            DWORD error = length == 0 ? GetLastError() : ERROR_INSUFFICIENT_BUFFER;
            return windowsFailure(IDS_WINDOWS_ERROR, loadString(IDS_MODULE_PATH_FAILED), error);
        }
        if (length < size) {
            path.assign(buffer.data(), length);
            return std::nullopt;
        }
        buffer.resize(std::min<size_t>(buffer.size() * 4, kLongestPath));
    }
}
std::wstring userSettingsFilePath(const std::wstring& executablePath, const std::wstring& productName,
                                  const std::wstring& productCode, bool createFolders) {
    return productDataFolder(environmentVariable(L"APPDATA"), productName, productCode, createFolders) + L"\\" +
           settingsBaseName(executablePath);
}

std::wstring productDataFolder(const std::wstring& root, const std::wstring& productName,
                               const std::wstring& productCode, bool createFolders) {
    std::wstring path = root + L"\\" + productFolderName(productName);
    if (createFolders) CreateDirectoryW(path.c_str(), nullptr);
    path += L"\\" + productCode;
    if (createFolders) CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

const char* settingsFileEncoding(const std::wstring& path) {
    ScopedFile file(CreateFileW(withinMaxPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "missing";
    unsigned char start[3] = {};
    DWORD read = 0;
    ReadFile(file.get(), start, sizeof(start), &read, nullptr);
    if (read >= 2 && start[0] == 0xFF && start[1] == 0xFE) return "UTF-16LE";
    if (read >= 2 && start[0] == 0xFE && start[1] == 0xFF) return "UTF-16BE";
    if (read == 3 && start[0] == 0xEF && start[1] == 0xBB && start[2] == 0xBF) return "UTF-8";
    return "ANSI, no byte-order mark";
}

IniFile::IniFile(const std::wstring& path) : path_(withinMaxPath(path)) {}

std::wstring IniFile::getString(const wchar_t* section, const wchar_t* key) const {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        DWORD length = GetPrivateProfileStringW(section, key, L"", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path_.c_str());
        if (length != buffer.size() - 1) {
            if (length != 0) logLine("setting [%s] %s = %s (%s)", section, key, buffer.data(), path_.c_str());
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool IniFile::setString(const wchar_t* section, const wchar_t* key, const std::wstring& value) const {
    return WritePrivateProfileStringW(section, key, value.c_str(), path_.c_str()) != 0;
}

std::wstring SettingsLookup::getString(const wchar_t* section, const wchar_t* key) const {
    std::wstring value = file_.getString(section, key);
    if (!value.empty()) return value;
    std::wstring plusSection = std::wstring(section) + L"+";
    return plusSectionValue(file_.getString(plusSection.c_str(), key));
}

#include "core/Settings.h"

#include <windows.h>

#include <algorithm>
#include <memory>
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

// The file's text as the profile functions decode it, and how it is stored.
std::wstring settingsFileText(const std::wstring& path, const char*& encoding) {
    encoding = "missing";
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size)) size.QuadPart = 0;
    const std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(size.QuadPart)]);
    DWORD read = 0;
    ReadFile(file.get(), buffer.get(), static_cast<DWORD>(size.QuadPart), &read, nullptr);
    const std::string_view bytes(buffer.get(), read);

    static const char* const kEncodingNames[] = {"ANSI, no byte-order mark", "ANSI after a UTF-8 byte-order mark",
                                                 "UTF-16LE", "UTF-16BE"};
    const SettingsEncoding stored = settingsEncoding(bytes);
    encoding = kEncodingNames[static_cast<int>(stored)];
    if (stored < SettingsEncoding::Utf16LittleEndian) return fromMachineAnsi(bytes);
    return utf16SettingsText(bytes, stored == SettingsEncoding::Utf16BigEndian);
}

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

IniFile::IniFile(const std::wstring& path)
    : path_(withinMaxPath(path)), text_(settingsFileText(path_, encoding_)), table_(parseSettingsText(text_)) {}

IniFile::~IniFile() = default;

std::wstring IniFile::getString(const wchar_t* section, const wchar_t* key) const {
    const std::wstring_view found = settingsValue(table_, section, key);
    std::wstring value(found.data(), found.size());
    if (!value.empty()) logLine("setting [%s] %s = %s (%s)", section, key, value.c_str(), path_.c_str());
    return value;
}

bool writeSettingString(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                        const std::wstring& value) {
    return WritePrivateProfileStringW(section, key, value.c_str(), withinMaxPath(path).c_str()) != 0;
}

std::wstring SettingsLookup::getString(const wchar_t* section, const wchar_t* key) const {
    std::wstring value = file_.getString(section, key);
    if (!value.empty()) return value;
    std::wstring plusSection = std::wstring(section) + L"+";
    return plusSectionValue(file_.getString(plusSection.c_str(), key));
}

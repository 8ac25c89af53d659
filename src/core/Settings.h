// The settings file beside the executable and its per-user companion.
#pragma once

#include <string>

class Launcher;
struct LauncherSettings;

// The executable's own path; on failure message 202/208 has been shown.
bool modulePath(std::wstring& path);

bool settingsFilePath(std::wstring& path);
std::wstring userSettingsFilePath(const std::wstring& executablePath, const std::wstring& productName,
                                  const std::wstring& productCode, bool createFolders);
bool pairedSettingsFilePath(const LauncherSettings& settings, std::wstring& path);

class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}
    std::wstring getString(const wchar_t* section, const wchar_t* key) const;
    bool setString(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;

private:
    std::wstring path_;
};

// Falls back to the section of the same name with "+" appended.
class SettingsLookup {
public:
    explicit SettingsLookup(std::wstring path) : file_(std::move(path)) {}
    std::wstring getString(const wchar_t* section, const wchar_t* key) const;

private:
    IniFile file_;
};

bool loadSettings(LauncherSettings& settings);
void writeJrePath(const LauncherSettings& settings, const std::wstring& folder);

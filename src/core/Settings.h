// Reading the settings file: the executable's own path, the profile reader
// and the per-user file's location. Only the application object opens the
// files; the subsystems get typed values.
#pragma once

#include <string>

#include "core/Failure.h"

// The executable's full path, however long; message 202/208 when the
// system cannot tell it.
MaybeFailure modulePath(std::wstring& path);

std::wstring userSettingsFilePath(const std::wstring& executablePath, const std::wstring& productName,
                                  const std::wstring& productCode, bool createFolders);

// <root>\<Product Name without the characters folder names may not hold>\<Product Code>,
// the two folders made when asked for.
std::wstring productDataFolder(const std::wstring& root, const std::wstring& productName,
                               const std::wstring& productCode, bool createFolders);

// How the settings file at `path` is stored, as its first bytes tell: a
// byte-order mark, or none, which the profile reader takes as ANSI.
const char* settingsFileEncoding(const std::wstring& path);

class IniFile {
public:
    // The profile functions take no path past MAX_PATH: such a file is
    // reached through the short form of its folder.
    explicit IniFile(const std::wstring& path);
    // A value found is written to the diagnostics log with its section and file.
    std::wstring getString(const wchar_t* section, const wchar_t* key) const;
    bool setString(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;

private:
    std::wstring path_;
};

// Falls back to the section of the same name with "+" appended.
class SettingsLookup {
public:
    explicit SettingsLookup(const std::wstring& path) : file_(path) {}
    std::wstring getString(const wchar_t* section, const wchar_t* key) const;
    const IniFile& file() const { return file_; }

private:
    IniFile file_;
};

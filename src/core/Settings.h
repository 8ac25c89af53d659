// Reading the settings file: the executable's own path, the profile reader
// and the per-user file's location. Only the application object opens the
// files; the subsystems get typed values.
#pragma once

#include <string>

#include "core/Failure.h"
#include "core/SettingsTable.h"

// The executable's full path, however long; message 202/208 when the
// system cannot tell it.
MaybeFailure modulePath(std::wstring& path);

std::wstring userSettingsFilePath(const std::wstring& executablePath, const std::wstring& productName,
                                  const std::wstring& productCode, bool createFolders);

// <root>\<Product Name without the characters folder names may not hold>\<Product Code>,
// the two folders made when asked for.
std::wstring productDataFolder(const std::wstring& root, const std::wstring& productName,
                               const std::wstring& productCode, bool createFolders);

// Through the profile functions, which keep the file's encoding. They take
// no path past MAX_PATH: such a file is reached through the short form of
// its folder.
bool writeSettingString(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                        const std::wstring& value);

// Reads the whole file once, as the profile functions would read it for
// each key; a file that cannot be read has no keys.
class IniFile {
public:
    explicit IniFile(const std::wstring& path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;
    // A value found is written to the diagnostics log with its section and file.
    std::wstring getString(const wchar_t* section, const wchar_t* key) const;
    // How the file is stored, as its first bytes tell, or "missing".
    const char* encoding() const { return encoding_; }

private:
    std::wstring path_;
    const char* encoding_;
    std::wstring text_;
    SettingsTable table_;  // parts of text_
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

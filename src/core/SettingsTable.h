// The settings file's text read in one pass, with the rules of the Windows
// profile functions: "[section]" lines and "key=value" lines, names in any
// ASCII letter case, and only the first section of a name and the first key
// of a name in it counting.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Parts of the text the table was made from; one UTF-16 code unit per
// wchar_t, also where wchar_t is wider.
struct SettingsLine {
    bool isSection;
    std::wstring_view name;   // trimmed, cut at a U+0000
    std::wstring_view value;  // of a key: trimmed, cut at a U+0000, one pair of enclosing quotes removed
};
using SettingsTable = std::vector<SettingsLine>;

// Lines end at CR or LF; one without "=" is a key without a value. The
// table refers to `text`, which must outlive it.
SettingsTable parseSettingsText(std::wstring_view text);

// Empty when the section or the key is not there.
std::wstring_view settingsValue(const SettingsTable& table, std::wstring_view section, std::wstring_view key);

// A byte-order mark of UTF-16 makes a file UTF-16. Any other file is ANSI,
// one that starts with UTF-8's byte-order mark too: the profile functions
// read those three bytes as characters of the first line.
enum class SettingsEncoding { Ansi, AnsiAfterUtf8Mark, Utf16LittleEndian, Utf16BigEndian };

SettingsEncoding settingsEncoding(std::string_view bytes);

// The text of bytes that start with a UTF-16 byte-order mark, after the
// mark; an odd last byte is dropped.
std::wstring utf16SettingsText(std::string_view bytes, bool bigEndian);

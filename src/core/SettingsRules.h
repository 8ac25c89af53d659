// Pure rules of the settings file: names, folder names and switch values.
#pragma once

#include <string>
#include <vector>

// Everything up to and including the last "." followed by "ini"; empty without a ".".
std::wstring replaceExtensionWithIni(const std::wstring& path);

// The file name of `path` with its extension replaced by ".ini".
std::wstring settingsBaseName(const std::wstring& path);

// The product name without the nine characters Windows forbids in folder names.
std::wstring productFolderName(const std::wstring& productName);

// The value a "+" section contributes: one leading space, unless it has one.
std::wstring plusSectionValue(const std::wstring& value);

// "Any letter case" folds ASCII letters only: the words compared are ASCII,
// and no locale may change what they match (a Turkish "I" included).
wchar_t lowerAscii(wchar_t c);
bool equalsAnyCase(const std::wstring& text, const wchar_t* word);

bool isYesAnyCase(const std::wstring& value);  // "Yes" in any letter case
bool isYesExactly(const std::wstring& value);  // "yes"
bool isTrueExactly(const std::wstring& value); // "true"

// A count of seconds written as up to six digits; anything else is `fallback`.
unsigned secondsSetting(const std::wstring& value, unsigned fallback);

// Folder paths handed on end in exactly one backslash; a drive root such as
// "C:\" already has it.
std::wstring withFolderBackslash(const std::wstring& path);

// Text up to the last backslash, that backslash included; empty when there is none.
std::wstring folderOf(const std::wstring& path);

// Cuts the text before its last backslash, `count` times.
std::wstring withoutLastComponents(const std::wstring& path, int count);

// Splits at ";": empty pieces count, except one after the last separator.
std::vector<std::wstring> splitSemicolonList(const std::wstring& text);

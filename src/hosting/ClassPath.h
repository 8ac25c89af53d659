// The class path option's value: wildcard and relative entries found on disk.
#pragma once

#include <string>

// Every entry followed by ";". `executableFolder` has no trailing backslash.
std::wstring buildClassPath(const std::wstring& value, const std::wstring& executableFolder);

// Appends "<folder>\<name>;" for each match of a wildcard or relative piece,
// in the order the file system returns them; nothing when none matches.
void expandClassPathEntry(const std::wstring& piece, const std::wstring& executableFolder, std::wstring& classPath);

// Asking the file system about paths, within the limits of the Win32 calls
// that take them.
#pragma once

#include <string>

// Asks the file system's directory for exactly this name; nothing is opened
// or loaded, and a name with wildcard characters never exists.
bool fileExists(const std::wstring& path);

// The path made absolute against the working folder, as the system resolves
// it; the path itself when the system cannot.
std::wstring absolutePath(const std::wstring& path);

// A path of MAX_PATH characters or more with its folder in the short (8.3)
// form, when the folder exists and the result fits; otherwise the path
// itself. For functions such as the profile reader that take no longer path.
std::wstring withinMaxPath(const std::wstring& path);

// Folder paths handed on end in exactly one backslash.
#pragma once

#include <string>

// A drive root such as "C:\" already ends in one and gets no second.
std::wstring withFolderBackslash(const std::wstring& path);

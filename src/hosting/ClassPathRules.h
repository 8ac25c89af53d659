// Which class path pieces are searched for on disk, and where.
#pragma once

#include <string>

// Wildcard and relative pieces are searched; absolute ones are taken as written.
bool needsClassPathSearch(const std::wstring& piece);

// Relative pieces hang directly under the executable's folder (given without
// its trailing backslash), so they are written with a leading backslash.
std::wstring classPathSearchPattern(const std::wstring& piece, const std::wstring& executableFolder);

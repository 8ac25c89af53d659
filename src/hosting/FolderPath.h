// Splitting a file path into the root that cannot be created and the
// folders below it.
#pragma once

#include <string>
#include <vector>

// A drive path ("C:...") or a UNC path ("\\server..."): two leading
// backslashes, or ":" as second character.
bool isAbsoluteFilePath(const std::wstring& path);

struct FolderPath {
    std::wstring root;  // "C:", "\\server", "\\?\C:"; a relative path's first folder
    std::vector<std::wstring> components;  // the file name last
    bool unc = false;
};

FolderPath splitFolderPath(const std::wstring& path);

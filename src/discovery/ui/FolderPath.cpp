#include "discovery/ui/FolderPath.h"

std::wstring withFolderBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') return path;
    return path + L'\\';
}

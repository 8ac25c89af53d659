#include "hosting/ClassPathRules.h"

#include "hosting/FolderPath.h"

bool needsClassPathSearch(const std::wstring& piece) {
    return piece.find(L'*') != std::wstring::npos || !isAbsoluteFilePath(piece);
}

std::wstring classPathSearchPattern(const std::wstring& piece, const std::wstring& executableFolder) {
    return isAbsoluteFilePath(piece) ? piece : executableFolder + piece;
}

#include "hosting/ClassPathRules.h"

bool isAbsolutePathPiece(const std::wstring& piece) {
    return piece.size() >= 2 && (piece[1] == L':' || (piece[0] == L'\\' && piece[1] == L'\\'));
}

bool needsClassPathSearch(const std::wstring& piece) {
    return piece.find(L'*') != std::wstring::npos || !isAbsolutePathPiece(piece);
}

std::wstring classPathSearchPattern(const std::wstring& piece, const std::wstring& executableFolder) {
    return isAbsolutePathPiece(piece) ? piece : executableFolder + piece;
}

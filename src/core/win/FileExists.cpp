#include "core/win/FileExists.h"

#include "core/win/Scoped.h"

bool fileExists(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    ScopedFind search(FindFirstFileW(path.c_str(), &found));
    return static_cast<bool>(search);
}

#include "hosting/ClassPath.h"

#include <windows.h>

#include "core/SettingsRules.h"
#include "core/win/Scoped.h"
#include "core/win/Text.h"
#include "hosting/ClassPathRules.h"

std::wstring buildClassPath(const std::wstring& value, const std::wstring& executableFolder) {
    std::wstring classPath;
    for (const std::wstring& rawPiece : splitSemicolonList(value)) {
        std::wstring piece = expandEnvironment(rawPiece);
        if (needsClassPathSearch(piece)) {
            expandClassPathEntry(piece, executableFolder, classPath);
        } else {
            classPath += piece;
            classPath += L';';
        }
    }
    return classPath;
}

void expandClassPathEntry(const std::wstring& piece, const std::wstring& executableFolder, std::wstring& classPath) {
    std::wstring pattern = classPathSearchPattern(piece, executableFolder);
    std::wstring prefix = folderOf(pattern);
    WIN32_FIND_DATAW found;
    ScopedFind search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) return;
    do {
        classPath += prefix;
        classPath += found.cFileName;
        classPath += L';';
    } while (FindNextFileW(search.get(), &found));
}

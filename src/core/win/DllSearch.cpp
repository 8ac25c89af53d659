#include "core/win/DllSearch.h"

#include <windows.h>

void leaveWorkingFolderOutOfDllSearch() { SetDllDirectoryW(L""); }

bool searchFolderForLibraries(const std::wstring& folder) {
    if (SetDllDirectoryW(folder.c_str())) return true;
    leaveWorkingFolderOutOfDllSearch();
    return false;
}

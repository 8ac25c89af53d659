#include "core/win/SystemLibrary.h"

#include <string>

namespace {

// The documented test: the search flags came with AddDllDirectory.
bool systemKnowsSearchFlags() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel && GetProcAddress(kernel, "AddDllDirectory");
}

}  // namespace

HMODULE loadSystemLibrary(const wchar_t* name) { return loadSystemLibrary(name, systemKnowsSearchFlags()); }

HMODULE loadSystemLibrary(const wchar_t* name, bool searchFlagsKnown) {
    // The flag also applies to the libraries this one imports; the side-by-side
    // redirection of the manifest still picks the common controls' version.
    if (searchFlagsKnown) return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    UINT length = GetSystemDirectoryW(nullptr, 0);
    if (length == 0) return nullptr;
    std::wstring path(length, L'\0');
    length = GetSystemDirectoryW(&path[0], length);
    if (length == 0 || length >= path.size()) return nullptr;
    path.resize(length);
    path += L'\\';
    path += name;
    // Its own imports are then looked for beside it first, in the system folder.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

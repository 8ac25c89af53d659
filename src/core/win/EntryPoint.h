// A typed export of a library loaded at run time.
#pragma once

#include <windows.h>

// Null when the library or the export is missing.
template <typename Function>
Function entryPoint(HMODULE library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The shell and COM functions of the "JRE not found" dialog and its link,
// loaded from the system folder when first needed: importing them would map
// both libraries, and all they pull in, at every start, though only a start
// that finds no runtime uses them.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "core/win/Scoped.h"

struct ShellFunctions {
    decltype(&::CoInitializeEx) coInitializeEx;
    decltype(&::CoUninitialize) coUninitialize;
    decltype(&::CoTaskMemFree) coTaskMemFree;
    decltype(&::SHBrowseForFolderW) browseForFolder;
    decltype(&::SHGetPathFromIDListEx) pathFromIdList;
    decltype(&::ShellExecuteW) shellExecute;

    // Loads both libraries once per process; null when either or an entry is missing.
    static const ShellFunctions* load();
    // Only valid once load has returned the functions.
    static const ShellFunctions& loaded();
};

// A COM apartment entered by this thread; true when it must be left again.
struct ComApartmentTraits {
    using Value = bool;
    static Value invalid() { return false; }
    static void close(Value) { ShellFunctions::loaded().coUninitialize(); }
};
using ScopedComApartment = Scoped<ComApartmentTraits>;

// Memory the shell hands out through the COM task allocator (e.g. an item id list).
struct CoTaskMemoryTraits {
    using Value = void*;
    static Value invalid() { return nullptr; }
    static void close(Value value) { ShellFunctions::loaded().coTaskMemFree(value); }
};
using ScopedCoTaskMemory = Scoped<CoTaskMemoryTraits>;

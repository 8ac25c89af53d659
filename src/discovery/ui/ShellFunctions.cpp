#include "discovery/ui/ShellFunctions.h"

#include "core/win/EntryPoint.h"
#include "core/win/SystemLibrary.h"

namespace {

INIT_ONCE loading = INIT_ONCE_STATIC_INIT;
ShellFunctions functions{};
bool complete = false;

// Never freed: a picked folder's memory or an apartment may outlive any one caller.
BOOL CALLBACK loadOnce(PINIT_ONCE, void*, void**) {
    HMODULE ole = loadSystemLibrary(L"ole32.dll");
    HMODULE shell = loadSystemLibrary(L"shell32.dll");
    functions.coInitializeEx = entryPoint<decltype(functions.coInitializeEx)>(ole, "CoInitializeEx");
    functions.coUninitialize = entryPoint<decltype(functions.coUninitialize)>(ole, "CoUninitialize");
    functions.coTaskMemFree = entryPoint<decltype(functions.coTaskMemFree)>(ole, "CoTaskMemFree");
    functions.browseForFolder = entryPoint<decltype(functions.browseForFolder)>(shell, "SHBrowseForFolderW");
    functions.pathFromIdList = entryPoint<decltype(functions.pathFromIdList)>(shell, "SHGetPathFromIDListEx");
    functions.shellExecute = entryPoint<decltype(functions.shellExecute)>(shell, "ShellExecuteW");
    complete = functions.coInitializeEx && functions.coUninitialize && functions.coTaskMemFree &&
               functions.browseForFolder && functions.pathFromIdList && functions.shellExecute;
    return TRUE;
}

}  // namespace

const ShellFunctions* ShellFunctions::load() {
    InitOnceExecuteOnce(&loading, loadOnce, nullptr, nullptr);
    return complete ? &functions : nullptr;
}

const ShellFunctions& ShellFunctions::loaded() { return functions; }

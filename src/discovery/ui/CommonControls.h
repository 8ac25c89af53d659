// The common controls library, loaded only while a link needs it: mapping it
// at process start costs more than the rest of the launcher's start together.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "core/win/Scoped.h"

class CommonControls {
public:
    CommonControls();

    bool initialize(DWORD classes) const;
    bool setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) const;
    bool removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) const;
    LRESULT defSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    ScopedLibrary library_;
    decltype(&::InitCommonControlsEx) initCommonControlsEx_ = nullptr;
    decltype(&::SetWindowSubclass) setWindowSubclass_ = nullptr;
    decltype(&::RemoveWindowSubclass) removeWindowSubclass_ = nullptr;
    decltype(&::DefSubclassProc) defSubclassProc_ = nullptr;
};

// Dialogs of the launcher's own templates, each run by a C++ object that its
// dialog procedure reaches through the creation parameter, kept in the
// dialog's user slot from WM_INITDIALOG on.
#pragma once

#include <windows.h>

template <typename Dialog>
Dialog* dialogObject(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

inline INT_PTR runDialog(UINT templateId, HWND owner, DLGPROC procedure, void* object) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, procedure,
                           reinterpret_cast<LPARAM>(object));
}

inline HWND createDialog(UINT templateId, HWND owner, DLGPROC procedure, void* object) {
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, procedure,
                              reinterpret_cast<LPARAM>(object));
}

// A dialog procedure reaches its C++ object through the creation parameter,
// kept in the dialog's user slot from WM_INITDIALOG on.
#pragma once

#include <windows.h>

template <typename Dialog>
Dialog* dialogObject(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

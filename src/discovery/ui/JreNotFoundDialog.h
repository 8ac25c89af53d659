// The dialog shown when no Java runtime was found: the requirement, a
// download link and a folder picker.
#pragma once

#include <windows.h>

#include <string>

#include "discovery/RuntimePreferences.h"

class JreNotFoundDialog {
public:
    JreNotFoundDialog(std::wstring message, JvmTypeMode mode);
    ~JreNotFoundDialog();

    // 1 after OK, 2 after Cancel, -1 when the dialog cannot be created.
    INT_PTR show(HWND owner);

    const std::wstring& chosenFolder() const { return chosenFolder_; }
    const std::wstring& chosenLibrary() const { return chosenLibrary_; }

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring message_;
    JvmTypeMode mode_;
    std::wstring chosenFolder_;
    std::wstring chosenLibrary_;
};

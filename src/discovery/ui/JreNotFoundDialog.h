// The dialog shown when no Java runtime was found: the requirement, a
// download link and a folder picker.
#pragma once

#include <windows.h>

#include <string>

#include "discovery/RuntimePreferences.h"
#include "discovery/ui/HyperLinkControl.h"

class JreNotFoundDialog {
public:
    JreNotFoundDialog(std::wstring message, JvmTypeMode mode);

    // 1 after OK, 2 after Cancel, -1 when the dialog cannot be created.
    INT_PTR show(HWND owner);

    // The folder last browsed to, ending in a backslash, and the JVM library
    // found in it (empty when none was).
    const std::wstring& chosenFolder() const { return chosenFolder_; }
    const std::wstring& chosenLibrary() const { return chosenLibrary_; }

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void onInit(HWND dialog);
    void browse(HWND dialog);

    std::wstring message_;
    JvmTypeMode mode_;
    std::wstring chosenFolder_;
    std::wstring chosenLibrary_;
    HyperLinkControl link_;
};

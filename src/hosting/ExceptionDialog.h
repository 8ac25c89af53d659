// The resizable dialog that shows the stack trace of an exception that
// escaped main and asks whether to go on or stop.
#pragma once

#include <windows.h>

#include <string>

#include "core/win/DialogAnchor.h"

class ExceptionDialog {
public:
    explicit ExceptionDialog(const std::wstring& text);

    // Modal: IDOK for "go on", IDCANCEL for "stop", -1 when it cannot be created.
    INT_PTR show(HWND owner);
    // Modeless, for driving the dialog from a message loop of one's own; the
    // caller destroys the window.
    HWND create(HWND owner);

    const DialogResizer& resizer() const { return resizer_; }

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void onInitDialog(HWND dialog);

    std::wstring text_;
    DialogResizer resizer_;
};

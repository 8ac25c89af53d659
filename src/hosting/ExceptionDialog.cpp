#include "hosting/ExceptionDialog.h"

#include "core/win/CenterWindow.h"
#include "core/win/DialogObject.h"
#include "hosting/ExceptionText.h"
#include "resources/resource.h"

namespace {

enum ControlId {
    ignoreButton = IDOK,
    stopButton = IDCANCEL,
    traceEdit = 208,
    groupBox = 209,
    heading = 210,
    instruction = 211,
    warning = 212,
};

std::vector<DialogResizer::Rule> anchorRules() {
    using namespace AnchorFlag;
    return {
        {groupBox, SizeX | SizeY},    {heading, SizeX},         {warning, SizeX | MoveY},
        {instruction, SizeX | MoveY}, {traceEdit, SizeX | SizeY}, {ignoreButton, MoveX | MoveY},
        {stopButton, MoveX | MoveY},
    };
}

}  // namespace

ExceptionDialog::ExceptionDialog(const std::wstring& text) : text_(withWindowsLineBreaks(text)) {}

INT_PTR ExceptionDialog::show(HWND owner) {
    return runDialog(IDD_EXCEPTION, owner, dialogProc, this);
}

HWND ExceptionDialog::create(HWND owner) {
    return createDialog(IDD_EXCEPTION, owner, dialogProc, this);
}

INT_PTR CALLBACK ExceptionDialog::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = dialogObject<ExceptionDialog>(dialog, message, lParam);
    return self ? self->handleMessage(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR ExceptionDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog);
        // Leave the focus alone, so the trace is not shown all selected.
        return FALSE;
    case WM_SIZE:
        resizer_.onSize(dialog, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO:
        resizer_.onGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == ignoreButton || id == stopButton) {
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

void ExceptionDialog::onInitDialog(HWND dialog) {
    SetDlgItemTextW(dialog, traceEdit, text_.c_str());
    SendDlgItemMessageW(dialog, traceEdit, EM_SETREADONLY, TRUE, 0);
    centerWindow(dialog);
    resizer_.init(dialog, anchorRules());
}

#include "discovery/ui/JreNotFoundDialog.h"

#include <vector>

#include "core/ErrorReporting.h"
#include "core/SettingsRules.h"
#include "core/win/CenterWindow.h"
#include "core/win/DialogObject.h"
#include "core/win/Scoped.h"
#include "discovery/RuntimeSearch.h"
#include "discovery/ui/ShellFunctions.h"
#include "resources/resource.h"

namespace {

constexpr int kPathEdit = 201;
constexpr int kBrowseButton = 202;
constexpr int kMessageText = 203;
constexpr int kDownloadLink = 205;

}  // namespace

JreNotFoundDialog::JreNotFoundDialog(std::wstring message, JvmTypeMode mode)
    : message_(std::move(message)), mode_(mode), link_(RGB(0, 0, 255), RGB(128, 0, 128), 0) {}

INT_PTR JreNotFoundDialog::show(HWND owner) {
    return runDialog(IDD_JRE_NOT_FOUND, owner, dialogProc, this);
}

INT_PTR CALLBACK JreNotFoundDialog::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = dialogObject<JreNotFoundDialog>(dialog, message, lParam);
    return self ? self->handleMessage(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR JreNotFoundDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        onInit(dialog);
        return FALSE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case kBrowseButton:
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        browse(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

void JreNotFoundDialog::onInit(HWND dialog) {
    const HWND linkWindow = GetDlgItem(dialog, kDownloadLink);
    if (!SendMessageW(linkWindow, WM_GETFONT, 0, 0)) {
        SendMessageW(linkWindow, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    }
    link_.attach(linkWindow);
    SetDlgItemTextW(dialog, kMessageText, message_.c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    centerWindow(dialog);
    // With OK disabled the first tab stop would be Cancel, and Enter would
    // end the launcher; browsing is what the user came here for.
    SetFocus(GetDlgItem(dialog, kBrowseButton));
}

void JreNotFoundDialog::browse(HWND dialog) {
    const ShellFunctions* shell = ShellFunctions::load();
    if (!shell) return;
    // The picker's new style needs a single-threaded apartment.
    ScopedComApartment apartment(
        SUCCEEDED(shell->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)));
    const std::wstring title = loadString(IDS_BROWSE_JRE_TITLE);
    BROWSEINFOW request = {};
    request.hwndOwner = dialog;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    ScopedCoTaskMemory picked(shell->browseForFolder(&request));
    if (!picked) return;

    // A folder's path may be as long as any (32,767 characters), not only MAX_PATH.
    std::vector<wchar_t> path(32768);
    const auto size = static_cast<DWORD>(path.size());
    if (!shell->pathFromIdList(static_cast<PCIDLIST_ABSOLUTE>(picked.get()), path.data(), size, GPFIDL_DEFAULT)) {
        return;
    }
    SetDlgItemTextW(dialog, kPathEdit, path.data());
    chosenFolder_ = withFolderBackslash(path.data());
    chosenLibrary_ = findJvmLibrary(chosenFolder_, mode_).path;
    EnableWindow(GetDlgItem(dialog, IDOK), !chosenLibrary_.empty());
}

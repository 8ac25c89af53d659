#include "support/Robot.h"

#include "core/win/Scoped.h"
#include "support/Polling.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

struct WindowQuery {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<WindowQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == query->processId && className(window) == query->className) query->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> findWindows(DWORD processId, const wchar_t* className) {
    WindowQuery query{processId, className, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND waitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND window : findWindows(processId, className)) {
                if (IsWindowVisible(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool waitForWindowGone(HWND window, DWORD timeoutMs) {
    return waitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

std::wstring windowText(HWND window) {
    // GetWindowText does not ask another process's controls for their text; WM_GETTEXT does.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, scaled(5000), &length)) {
        return std::wstring();
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                        scaled(5000), &copied);
    text.resize(copied);
    return text;
}

std::wstring controlText(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    return control ? windowText(control) : std::wstring();
}

std::wstring className(HWND window) {
    wchar_t name[256];
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length);
}

HWND ownerOf(HWND window) { return GetWindow(window, GW_OWNER); }

RECT windowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

std::wstring clipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void clickButton(HWND dialog, int controlId) {
    HWND button = GetDlgItem(dialog, controlId);
    PostMessageW(button, BM_CLICK, 0, 0);
}

std::wstring saveScreenshot(const std::wstring& name) {
    std::wstring folder = buildPath(L"screenshots");
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring file = folder + L"\\" + name + L".png";
    DeleteFileW(file.c_str());
    // A window that has just become visible may not have painted yet.
    Sleep(scaled(300));
    // Wine starts a Unix program given by its Z: path; the X screen is the whole truth.
    std::wstring unixFile = fromUtf8(BUILD_DIR).substr(2) + L"/screenshots/" + name + L".png";
    std::wstring commandLine = L"Z:\\usr\\bin\\import -window root \"" + unixFile + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return std::wstring();
    }
    ScopedHandle thread(info.hThread);
    ScopedHandle process(info.hProcess);
    // A Unix child's handle cannot be waited for: the picture is done once its size holds still.
    ULONGLONG lastSize = 0;
    const DWORD deadline = scaled(20000);
    for (DWORD start = GetTickCount(); GetTickCount() - start < deadline; Sleep(150)) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) continue;
        ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (size > 0 && size == lastSize) break;
        lastSize = size;
    }
    return pathExists(file) ? file : std::wstring();
}

COLORREF screenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

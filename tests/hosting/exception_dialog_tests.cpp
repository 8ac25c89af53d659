#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "core/win/DialogAnchor.h"
#include "core/win/Scoped.h"
#include "hosting/ExceptionDialog.h"
#include "support/Polling.h"
#include "support/Robot.h"

namespace {

const wchar_t* const trace =
    L"java.lang.IllegalStateException: boom\r\n"
    L"\tat com.example.App.main(App.java:12)\r\n"
    L"Caused by: java.io.IOException: disk\r\n"
    L"\tat com.example.App.load(App.java:30)\r\n";

const int controlIds[] = {1, 2, 209, 204, 210, 208, 211, 212};

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

RECT clientRectOf(HWND dialog, int id) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::map<int, RECT> controlRects(HWND dialog) {
    std::map<int, RECT> rects;
    for (int id : controlIds) rects[id] = clientRectOf(dialog, id);
    rects[sizeGripId] = clientRectOf(dialog, sizeGripId);
    return rects;
}

SIZE outerSize(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void resizeBy(HWND dialog, int dx, int dy) {
    SIZE size = outerSize(dialog);
    SetWindowPos(dialog, nullptr, 0, 0, size.cx + dx, size.cy + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages();
}

RECT moved(RECT rect, int left, int top, int right, int bottom) {
    return {rect.left + left, rect.top + top, rect.right + right, rect.bottom + bottom};
}

::testing::AssertionResult sameRect(const RECT& expected, const RECT& actual) {
    if (EqualRect(&expected, &actual)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << expected.left << "," << expected.top << ","
                                         << expected.right << "," << expected.bottom << ") got (" << actual.left
                                         << "," << actual.top << "," << actual.right << "," << actual.bottom << ")";
}

std::wstring editText(HWND dialog) {
    HWND edit = GetDlgItem(dialog, 208);
    std::wstring text(GetWindowTextLengthW(edit) + 1, L'\0');
    text.resize(GetWindowTextW(edit, &text[0], static_cast<int>(text.size())));
    return text;
}

// What a user sees, once the dialog has painted, in <build>/screenshots.
bool savePicture(const std::wstring& name) {
    pumpMessages();
    return !saveScreenshot(name).empty();
}

// The dialog run modelessly on the test thread, so its layout can be inspected.
class ExceptionDialogWindow : public ::testing::Test {
protected:
    void open(const std::wstring& text, HWND owner = nullptr) {
        object_ = std::make_unique<ExceptionDialog>(text);
        window_.reset(object_->create(owner));
        ASSERT_TRUE(window_);
        ShowWindow(window_.get(), SW_SHOWNORMAL);
        pumpMessages();
    }
    HWND dialog() const { return window_.get(); }

    std::unique_ptr<ExceptionDialog> object_;
    ScopedWindow window_;
};

TEST_F(ExceptionDialogWindow, TemplateBuildsTheDesignedControls) {
    open(trace);
    wchar_t caption[64] = {};
    GetWindowTextW(dialog(), caption, 64);
    EXPECT_STREQ(caption, L"Java-undantag");

    RECT units = {0, 0, 275, 242};
    MapDialogRect(dialog(), &units);
    RECT client;
    GetClientRect(dialog(), &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);

    LONG_PTR style = GetWindowLongPtrW(dialog(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_TRUE(GetWindowLongPtrW(dialog(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    for (int id : controlIds) EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog(), id))) << id;
    // The edit control may trade its WS_BORDER for a sunken client edge.
    EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(dialog(), 208), GWL_STYLE) & ~(ES_READONLY | WS_BORDER), 0x50310004);
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(dialog(), 209), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_TRUE(SendDlgItemMessageW(dialog(), 204, STM_GETICON, 0, 0));

    HWND grip = GetDlgItem(dialog(), sizeGripId);
    ASSERT_TRUE(grip);
    EXPECT_TRUE(object_->resizer().gripPresent());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(grip, GWL_STYLE)), 0x5400001Cu);
    RECT gripRect = clientRectOf(dialog(), sizeGripId);
    EXPECT_EQ(gripRect.right, client.right);
    EXPECT_EQ(gripRect.bottom, client.bottom);
    EXPECT_LE(gripRect.right - gripRect.left, 2 * GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_LE(gripRect.bottom - gripRect.top, 2 * GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_TRUE(savePicture(L"exception_dialog_initial"));
}

TEST_F(ExceptionDialogWindow, TraceIsReadOnlyButCanBeCopied) {
    open(trace);
    EXPECT_EQ(editText(dialog()), trace);
    HWND edit = GetDlgItem(dialog(), 208);
    EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY);

    SendMessageW(edit, WM_CHAR, L'x', 0);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(editText(dialog()), trace);

    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_COPY, 0, 0);
    EXPECT_EQ(clipboardText(), trace);

    // A selection inside the text copies just that part.
    SendMessageW(edit, EM_SETSEL, 0, 30);
    SendMessageW(edit, WM_COPY, 0, 0);
    EXPECT_EQ(clipboardText(), std::wstring(trace).substr(0, 30));
}

TEST_F(ExceptionDialogWindow, LongAndMultiLineMessagesShowWhole) {
    // A deep recursion gives a trace far beyond an edit control's default limit.
    std::wstring text = L"java.lang.StackOverflowError\r\n";
    while (text.size() < 120000) text += L"\tat com.example.Deep.recurse(Deep.java:7)\r\n";
    open(text);
    EXPECT_EQ(editText(dialog()), text);
    window_.reset();

    open(L"java.lang.Error: first line\nsecond line\n\tat A.main(A.java)\n");
    EXPECT_EQ(SendDlgItemMessageW(dialog(), 208, EM_GETLINECOUNT, 0, 0), 4);
    EXPECT_EQ(editText(dialog()), L"java.lang.Error: first line\r\nsecond line\r\n\tat A.main(A.java)\r\n");
}

TEST_F(ExceptionDialogWindow, EnlargingStretchesTheTraceAndKeepsButtonsInTheCorner) {
    open(trace);
    std::map<int, RECT> before = controlRects(dialog());
    SIZE initial = outerSize(dialog());
    const int dx = 140, dy = 90;

    resizeBy(dialog(), dx, dy);
    std::map<int, RECT> after = controlRects(dialog());
    EXPECT_TRUE(sameRect(moved(before[209], 0, 0, dx, dy), after[209])) << "group box";
    EXPECT_TRUE(sameRect(moved(before[210], 0, 0, dx, 0), after[210])) << "heading";
    EXPECT_TRUE(sameRect(moved(before[208], 0, 0, dx, dy), after[208])) << "trace";
    EXPECT_TRUE(sameRect(moved(before[211], 0, dy, dx, dy), after[211])) << "instruction";
    EXPECT_TRUE(sameRect(moved(before[212], 0, dy, dx, dy), after[212])) << "warning";
    EXPECT_TRUE(sameRect(moved(before[1], dx, dy, dx, dy), after[1])) << "Ignorera";
    EXPECT_TRUE(sameRect(moved(before[2], dx, dy, dx, dy), after[2])) << "Stopp";
    EXPECT_TRUE(sameRect(before[204], after[204])) << "icon";
    RECT client;
    GetClientRect(dialog(), &client);
    EXPECT_EQ(after[sizeGripId].right, client.right);
    EXPECT_EQ(after[sizeGripId].bottom, client.bottom);
    EXPECT_TRUE(savePicture(L"exception_dialog_enlarged"));

    // Back and forth: positions come from the recorded layout, not from drift.
    resizeBy(dialog(), -dx / 2, 7);
    resizeBy(dialog(), -dx / 2, -7 - dy);
    EXPECT_EQ(outerSize(dialog()).cx, initial.cx);
    EXPECT_EQ(outerSize(dialog()).cy, initial.cy);
    std::map<int, RECT> restored = controlRects(dialog());
    for (const auto& [id, rect] : before) EXPECT_TRUE(sameRect(rect, restored[id])) << id;
}

TEST_F(ExceptionDialogWindow, CannotBeMadeSmallerThanItsInitialSize) {
    open(trace);
    SIZE initial = outerSize(dialog());
    MINMAXINFO info = {};
    SendMessageW(dialog(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, initial.cx);
    EXPECT_EQ(info.ptMinTrackSize.y, initial.cy);

    resizeBy(dialog(), -60, -40);
    EXPECT_EQ(outerSize(dialog()).cx, initial.cx);
    EXPECT_EQ(outerSize(dialog()).cy, initial.cy);

    // Taller but narrower: only the allowed direction changes.
    resizeBy(dialog(), -30, 50);
    EXPECT_EQ(outerSize(dialog()).cx, initial.cx);
    EXPECT_EQ(outerSize(dialog()).cy, initial.cy + 50);
}

TEST_F(ExceptionDialogWindow, MaximisingHidesTheGripAndRestoringShowsIt) {
    open(trace);
    HWND grip = GetDlgItem(dialog(), sizeGripId);
    std::map<int, RECT> before = controlRects(dialog());
    RECT clientBefore;
    GetClientRect(dialog(), &clientBefore);

    ShowWindow(dialog(), SW_MAXIMIZE);
    pumpMessages();
    EXPECT_FALSE(IsWindowVisible(grip));
    RECT client;
    GetClientRect(dialog(), &client);
    EXPECT_GT(client.right, clientBefore.right);
    RECT stop = clientRectOf(dialog(), 2);
    EXPECT_EQ(client.right - stop.right, clientBefore.right - before[2].right);
    EXPECT_EQ(client.bottom - stop.bottom, clientBefore.bottom - before[2].bottom);

    ShowWindow(dialog(), SW_RESTORE);
    pumpMessages();
    EXPECT_TRUE(IsWindowVisible(grip));
    EXPECT_TRUE(sameRect(before[2], clientRectOf(dialog(), 2)));

    ShowWindow(dialog(), SW_MINIMIZE);
    pumpMessages();
    ShowWindow(dialog(), SW_RESTORE);
    pumpMessages();
    EXPECT_TRUE(IsWindowVisible(grip));
    EXPECT_TRUE(sameRect(before[208], clientRectOf(dialog(), 208)));
}

RECT workAreaOf(HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

ScopedWindow ownerWindow(int x, int y, int width, int height, int show) {
    ScopedWindow owner(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), nullptr));
    ShowWindow(owner.get(), show);
    pumpMessages();
    return owner;
}

TEST_F(ExceptionDialogWindow, CentredOverTheWorkAreaOrAVisibleOwner) {
    open(trace);
    RECT area = workAreaOf(dialog());
    RECT rect;
    GetWindowRect(dialog(), &rect);
    EXPECT_LE(std::abs((rect.left + rect.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - (area.top + area.bottom)), 1);
    window_.reset();

    ScopedWindow owner = ownerWindow(40, 30, 700, 600, SW_SHOWNORMAL);
    open(trace, owner.get());
    RECT ownerRect;
    GetWindowRect(owner.get(), &ownerRect);
    GetWindowRect(dialog(), &rect);
    EXPECT_EQ(rect.left, (ownerRect.left + ownerRect.right) / 2 - (rect.right - rect.left) / 2);
    EXPECT_EQ(rect.top, (ownerRect.top + ownerRect.bottom) / 2 - (rect.bottom - rect.top) / 2);
    window_.reset();

    // An owner near the corner: the dialog is pushed back inside the work area.
    ScopedWindow cornered = ownerWindow(area.right - 120, area.bottom - 90, 100, 80, SW_SHOWNORMAL);
    open(trace, cornered.get());
    GetWindowRect(dialog(), &rect);
    EXPECT_EQ(rect.right, area.right);
    EXPECT_EQ(rect.bottom, area.bottom);
    window_.reset();

    // A hidden owner does not count.
    ScopedWindow hidden = ownerWindow(0, 0, 200, 200, SW_HIDE);
    open(trace, hidden.get());
    GetWindowRect(dialog(), &rect);
    EXPECT_LE(std::abs((rect.left + rect.right) - (area.left + area.right)), 1);
}

BOOL CALLBACK firstVisibleWindow(HWND window, LPARAM found) {
    if (!IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The modal dialog on a thread of its own, driven from the test thread.
class ModalExceptionDialog : public ::testing::Test {
protected:
    INT_PTR runWith(void (*drive)(HWND dialog)) {
        INT_PTR result = 0;
        DWORD threadId = 0;
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        ScopedHandle readyEvent(ready);
        std::thread modal([&] {
            threadId = GetCurrentThreadId();
            SetEvent(ready);
            ExceptionDialog dialog(trace);
            result = dialog.show(nullptr);
        });
        WaitForSingleObject(ready, INFINITE);
        HWND dialog = nullptr;
        waitUntil(
            [&] {
                EnumThreadWindows(threadId, firstVisibleWindow, reinterpret_cast<LPARAM>(&dialog));
                return dialog != nullptr;
            },
            5000);
        if (dialog) drive(dialog);
        modal.join();
        return dialog ? result : -2;
    }
};

TEST_F(ModalExceptionDialog, EnterAndIgnoreGoOnEscapeStopAndCloseStop) {
    EXPECT_EQ(runWith([](HWND dialog) { PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0); }), IDOK);
    EXPECT_EQ(runWith([](HWND dialog) { SendDlgItemMessageW(dialog, 1, BM_CLICK, 0, 0); }), IDOK);
    EXPECT_EQ(runWith([](HWND dialog) { PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0); }), IDCANCEL);
    EXPECT_EQ(runWith([](HWND dialog) { SendDlgItemMessageW(dialog, 2, BM_CLICK, 0, 0); }), IDCANCEL);
    EXPECT_EQ(runWith([](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }), IDCANCEL);
}

}  // namespace

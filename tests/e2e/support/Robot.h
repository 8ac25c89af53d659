// Finds and drives another process's windows: message boxes and dialogs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Top-level windows of `processId` with class `className` (e.g. L"#32770"), visible or not.
std::vector<HWND> findWindows(DWORD processId, const wchar_t* className);

// Polls until a visible window of that class appears; null on time-out.
// Time-outs here are scaled (support/TimeScale.h).
HWND waitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs = 10000);
bool waitForWindowGone(HWND window, DWORD timeoutMs = 10000);

std::wstring windowText(HWND window);
std::wstring controlText(HWND dialog, int controlId);  // a message box's text is 0xFFFF
std::wstring className(HWND window);
HWND ownerOf(HWND window);
RECT windowRect(HWND window);

// The text on the clipboard, empty when there is none.
std::wstring clipboardText();

// BM_CLICK on a dialog's button.
void clickButton(HWND dialog, int controlId);

// Screenshot of the whole screen into the build tree's screenshots folder as
// <name>.png; returns the Windows path of the file, empty on failure.
std::wstring saveScreenshot(const std::wstring& name);
// The colour of one screen pixel (from the screen device context).
COLORREF screenPixel(int x, int y);

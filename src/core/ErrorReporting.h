// The launcher's one way to tell the user about a failure: an error box
// with a text from the string table.
#pragma once

#include <windows.h>

#include <string>

#include "core/Failure.h"

// Text or caption may be a string-table id passed through MAKEINTRESOURCEW.
int showMessage(HWND owner, const wchar_t* text, const wchar_t* caption);
int showError(HWND owner, const wchar_t* text);

// The text a failure shows; empty for a silent one.
std::wstring failureText(const Failure& failure);
// Shows the failure's text, if it has one, as an error box.
void showFailure(HWND owner, const Failure& failure);

// Loads a string-table entry whole, however long, or the text that replaces it.
std::wstring loadString(UINT id);

// The application's own text for a message of the string table (202 to
// 230), from its settings; the caller has checked its placeholders.
void replaceMessageText(UINT id, std::wstring text);

// Formats a string-table entry printf-style.
std::wstring formatString(UINT format, ...);

// The reason text for a JNI result code; empty for codes outside the table.
std::wstring jniReason(int code);

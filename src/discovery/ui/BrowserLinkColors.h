// The link colours the user chose for the web browser, when there are any.
#pragma once

#include <windows.h>

// Each colour keeps its value unless the user's setting is valid.
void readBrowserLinkColors(COLORREF& linkColor, COLORREF& visitedColor);

// One value of an open key: a plain or expandable string of at most
// eleven characters holding "red,green,blue".
bool readAnchorColorValue(HKEY key, const wchar_t* valueName, COLORREF& color);

// Centres a top-level dialog over its visible owner, or over the work area
// of the nearest monitor, kept inside that work area.
#pragma once

#include <windows.h>

void centerWindow(HWND window);

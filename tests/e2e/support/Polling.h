// Waiting on another process or thread: poll a condition until it holds or
// time runs out.
#pragma once

#include <windows.h>

#include <functional>

#include "support/TimeScale.h"

// True as soon as `condition` holds; false when `timeoutMs` (scaled) passed first.
inline bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    const DWORD deadline = scaled(timeoutMs);
    while (!condition()) {
        if (GetTickCount() - start > deadline) return false;
        Sleep(20);
    }
    return true;
}

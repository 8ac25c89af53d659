// Waiting on another process: poll a condition until it holds or time runs out.
#pragma once

#include <windows.h>

#include <functional>

// True as soon as `condition` holds; false when `timeoutMs` passed first.
inline bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

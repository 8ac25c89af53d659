// Deadlines for machines that run the tests slower than usual, e.g. 32-bit
// programs under processor emulation: the test command then sets
// LAUNCHER_TEST_TIME_SCALE to a whole number that every deadline and pause
// of the Windows-side tests is multiplied by. Absent or unreadable means 1.
#pragma once

#include <windows.h>

#include <cwchar>

inline DWORD timeScale() {
    static const DWORD scale = [] {
        wchar_t text[16] = {};
        const DWORD length = GetEnvironmentVariableW(L"LAUNCHER_TEST_TIME_SCALE", text, 16);
        if (length == 0 || length >= 16) return DWORD(1);
        wchar_t* end = nullptr;
        const unsigned long value = std::wcstoul(text, &end, 10);
        return *end == L'\0' && value >= 1 && value <= 100 ? DWORD(value) : DWORD(1);
    }();
    return scale;
}

// `ms` stretched by the machine's time scale; INFINITE stays INFINITE.
inline DWORD scaled(DWORD ms) {
    if (ms == INFINITE) return INFINITE;
    const unsigned long long stretched = static_cast<unsigned long long>(ms) * timeScale();
    return stretched >= INFINITE ? INFINITE - 1 : static_cast<DWORD>(stretched);
}

// The splash screen's share of the launcher state.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "core/win/Scoped.h"

class SplashScreenWindow;

using SplashCloseFunction = void (*)();

struct SplashState {
    SplashState();
    ~SplashState();
    SplashState(const SplashState&) = delete;
    SplashState& operator=(const SplashState&) = delete;

    std::wstring image;   // "Splash Screen": the image path as written
    std::wstring shadow;  // "Splash Screen Shadow": only "true" asks for a shadow
    std::unique_ptr<SplashScreenWindow> window;
    ScopedHandle thread;
    DWORD threadId = 0;
    // Set by the splash thread once its window is shown (or has failed).
    ScopedHandle windowShown;
    // The live splash window or null; written by the splash thread, read by
    // whichever thread shows an error.
    std::atomic<HWND> windowHandle{nullptr};
    // The native splash library's SplashClose, while that splash may be showing.
    SplashCloseFunction closeHook = nullptr;
};
